# A short presentation: a window with a title, a picture faded in, a video played with its
# sound, and a key (or ten seconds) to end. Run it where sample.knt is (make demo makes one).
SCREENWINDOWTITLE "Kinetor presentation"
SCREENGRAPHICS OK 320 264
IF OK = 0 GOTO "nowindow"

# The greys 56-63 of the start palette keep the title readable through every palette change.
SCREENPALETTELOCK 56 8 1
SCREENFADESPEED 20
SCREENFADEOUTCLEAR 0
TEXTCOLOR 63
TEXTTRANSCOLOR 0
TEXTSETXY 96 4
TEXT "Kinetor presents"
SCREENBOX 0 0 319 263 60

# The first frame of the video as a picture, drawn while the palette is black, then faded in.
ANIMATIONLOADTOBITMAP "sample.knt" PICTURE
IF PICTURE = 0 GOTO "novideo"
BITMAPTOSCREEN PICTURE 0 32
BITMAPFADEINPALETTE PICTURE
DELAY 1500

# The video itself, over the picture, with its sound.
ANIMATIONPLAY PLAYED 0 32 1 128 "sample.knt"
TEXTCOLOR 58
TEXTSETXY 72 240
TEXT "Press a key to end"
INPUTCHARORDELAY KEY 10000
SCREENFADEOUTCLEAR 0
END

:novideo
TEXTSETXY 48 120
TEXT "sample.knt is not here."
INPUTCHARORDELAY KEY 5000
END

:nowindow
DEBUGFILE "presentation.txt"
DEBUGTEXT "No window could be opened."
