# A short presentation: a window with a title, a picture faded in, a video played with its
# sound, and a menu to play it again or quit. Run it where sample.knt is (make demo makes one).
SCREENWINDOWTITLE "Kinetor presentation"
SCREENGRAPHICS OK 320 288
IF OK = 0 GOTO "nowindow"

# Entry 0 black and the greys 56-63 of the start palette stay through every palette change,
# so the title and the menu keep their colours.
SCREENFORCEPALETTEZEROBLACK 1
SCREENPALETTELOCK 56 8 1
SCREENFADESPEED 20
SCREENFADEOUTCLEAR 0
TEXTCOLOR 63
TEXTTRANSCOLOR 1
TEXTSETXY 96 4
TEXT "Kinetor presents"
SCREENBOX 0 0 319 287 60

# The first frame of the video as a picture, drawn while the palette is black, then faded in.
ANIMATIONLOADTOBITMAP "sample.knt" PICTURE
IF PICTURE = 0 GOTO "novideo"
BITMAPTOSCREEN PICTURE 0 32
BITMAPFADEINPALETTE PICTURE
DELAY 1500

# The video itself, over the picture, with its sound.
:again
MOUSEREMOVEALL
SCREENFILLEDBOX 1 234 318 53 0
ANIMATIONPLAY PLAYED 0 32 1 128 "sample.knt"

# The menu: two buttons as mouse areas. A click on one chooses it; so do P and Q, and Enter
# or Space take the highlighted one, which Left, Right, Tab and Shift+Tab move. Ten seconds
# without a choice, Escape or closing the window quit.
MOUSEADD "again" 40 238 110 22 0
MOUSEADD "quit" 170 238 110 22 0
VARSET CHOICE "again"
TEXTCOLOR 58
TEXTBACKCOLOR 0
TEXTSETXY 16 266
TEXTNOCR "Click, or P / Q, or arrows and Enter"
:menu
GOSUB "buttons"
INPUTCHARORDELAY KEY 10000
IF KEY = "again" GOTO "again"
IF KEY = "p" GOTO "again"
IF KEY = "quit" GOTO "quit"
IF KEY = "q" GOTO "quit"
IF KEY = "ESCAPE" GOTO "quit"
IF KEY = "DELAY" GOTO "quit"
IF KEY = "ALT F4" GOTO "quit"
IF KEY = "ENTER" GOTO CHOICE
IF KEY = "SPACE" GOTO CHOICE
IF KEY = "LEFT" VARSET CHOICE "again"
IF KEY = "RIGHT" VARSET CHOICE "quit"
IF KEY = "TAB" GOSUB "other"
IF KEY = "BACKTAB" GOSUB "other"
GOTO "menu"

:quit
SCREENFADEOUTCLEAR 0
END

# The highlighted button is light with dark letters, the other dark with light ones.
:buttons
VARSET X 40
VARSET LABEL "Play again"
VARSET FACE 0
VARSET INK 63
IF CHOICE = "again" VARSET FACE 58 ; VARSET INK 0
GOSUB "button"
VARSET X 170
VARSET LABEL "Quit"
VARSET FACE 0
VARSET INK 63
IF CHOICE = "quit" VARSET FACE 58 ; VARSET INK 0
GOSUB "button"
RETURN

:button
SCREENFILLEDBOX X 238 110 22 FACE
SCREENBOX X 238 109 21 63
STRLENGTH N LABEL
COMPUTE HALF = N * 4
COMPUTE TX = X + 55
COMPUTE TX = TX - HALF
TEXTCOLOR INK
TEXTBACKCOLOR FACE
TEXTSETXY TX 241
TEXTNOCR LABEL
RETURN

:other
VARSET NEXT "again"
IF CHOICE = "again" VARSET NEXT "quit"
VARSET CHOICE NEXT
RETURN

:novideo
TEXTSETXY 48 120
TEXT "sample.knt is not here."
INPUTCHARORDELAY KEY 5000
END

:nowindow
DEBUGFILE "presentation.txt"
DEBUGTEXT "No window could be opened."
