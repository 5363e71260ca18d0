// TIFF through libtiff, on a file held in memory. 8-bit palette and grey pictures in strips
// keep their indices (palette entries are 16-bit in the file: the top 8 bits are ours), and
// 8-bit RGB and RGBA strips are taken as stored; every other kind is delivered as colour
// through libtiff's RGBA reader, 32-bit when it has an alpha sample, else 24-bit. Written
// LZW-compressed: 8-bit as palette pictures, deeper ones as RGB or RGBA.
#include <tiffio.h>

#include <algorithm>
#include <cstring>

#include "platform/images/codecs.h"

namespace kinet::platform::codecs {
namespace {

struct MemoryStream {
  std::span<const uint8_t> in;
  std::vector<uint8_t>* out = nullptr;
  uint64_t at = 0;

  uint64_t size() const { return out ? out->size() : in.size(); }
  const uint8_t* data() const { return out ? out->data() : in.data(); }
};

tmsize_t Read(thandle_t h, void* data, tmsize_t size) {
  auto* s = static_cast<MemoryStream*>(h);
  if (size < 0 || s->at >= s->size()) return 0;
  const uint64_t n = std::min<uint64_t>(static_cast<uint64_t>(size), s->size() - s->at);
  std::memcpy(data, s->data() + s->at, n);
  s->at += n;
  return static_cast<tmsize_t>(n);
}

tmsize_t Write(thandle_t h, void* data, tmsize_t size) {
  auto* s = static_cast<MemoryStream*>(h);
  if (!s->out || size < 0) return 0;
  const uint64_t end = s->at + static_cast<uint64_t>(size);
  if (end > s->out->size()) s->out->resize(end);
  std::memcpy(s->out->data() + s->at, data, static_cast<size_t>(size));
  s->at = end;
  return size;
}

toff_t Seek(thandle_t h, toff_t offset, int whence) {
  auto* s = static_cast<MemoryStream*>(h);
  const uint64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? s->at : s->size();
  s->at = base + offset;
  return s->at;
}

int Close(thandle_t) { return 0; }
toff_t Size(thandle_t h) { return static_cast<MemoryStream*>(h)->size(); }
int Map(thandle_t, void**, toff_t*) { return 0; }
void Unmap(thandle_t, void*, toff_t) {}

TIFF* OpenStream(MemoryStream* stream, const char* mode) {
  TIFFSetErrorHandler(nullptr);
  TIFFSetWarningHandler(nullptr);
  return TIFFClientOpen("memory", mode, stream, Read, Write, Seek, Close, Size, Map, Unmap);
}

void ReadPalette(TIFF* tif, uint16_t photometric, Image& image) {
  if (photometric == PHOTOMETRIC_PALETTE) {
    uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
    if (!TIFFGetField(tif, TIFFTAG_COLORMAP, &red, &green, &blue)) return;
    for (int i = 0; i < 256; ++i) {
      image.palette[i * 3] = red[i] >> 8;
      image.palette[i * 3 + 1] = green[i] >> 8;
      image.palette[i * 3 + 2] = blue[i] >> 8;
    }
    return;
  }
  for (int i = 0; i < 256; ++i) {
    const uint8_t v = static_cast<uint8_t>(photometric == PHOTOMETRIC_MINISWHITE ? 255 - i : i);
    std::fill_n(&image.palette[i * 3], 3, v);
  }
}

// Stripped pictures whose lines are already our layout: 8-bit indices, RGB or RGBA bytes.
// Read line by line so that alpha stays as stored (the RGBA reader would premultiply it).
bool ReadLines(TIFF* tif, Image& image) {
  if (TIFFIsTiled(tif) || TIFFScanlineSize(tif) < static_cast<tmsize_t>(image.RowBytes())) {
    return false;
  }
  std::vector<uint8_t> line(static_cast<size_t>(TIFFScanlineSize(tif)));
  for (uint32_t y = 0; y < image.height; ++y) {
    if (TIFFReadScanline(tif, line.data(), y, 0) < 0) return false;
    std::copy_n(line.begin(), image.RowBytes(), &image.pixels[y * image.RowBytes()]);
  }
  return true;
}

bool ReadColour(TIFF* tif, Image& image) {
  std::vector<uint32_t> raster(size_t{image.width} * image.height);
  if (!TIFFReadRGBAImageOriented(tif, image.width, image.height, raster.data(), ORIENTATION_TOPLEFT,
                                 0)) {
    return false;
  }
  const uint32_t bpp = image.BytesPerPixel();
  for (size_t i = 0; i < raster.size(); ++i) {
    const uint32_t v = raster[i];
    uint8_t* out = &image.pixels[i * bpp];
    out[0] = TIFFGetR(v), out[1] = TIFFGetG(v), out[2] = TIFFGetB(v);
    if (bpp == 4) out[3] = TIFFGetA(v);
  }
  return true;
}

bool WriteTiff(TIFF* tif, const Image& image) {
  const uint32_t samples = image.bits == 8 ? 1 : image.BytesPerPixel();
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, image.width);
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, image.height);
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, samples);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
  TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tif, 0));
  if (samples == 1) {
    std::vector<uint16_t> map(768);
    for (int i = 0; i < 768; ++i) {  // the file's map is planar: all reds, greens, blues
      map[(i % 3) * 256 + i / 3] = static_cast<uint16_t>(image.palette[i] * 257);
    }
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_PALETTE);
    TIFFSetField(tif, TIFFTAG_COLORMAP, map.data(), map.data() + 256, map.data() + 512);
  } else {
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    if (samples == 4) {
      const uint16_t alpha = EXTRASAMPLE_UNASSALPHA;
      TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, &alpha);
    }
  }
  for (uint32_t y = 0; y < image.height; ++y) {
    auto* row = const_cast<uint8_t*>(&image.pixels[y * image.RowBytes()]);
    if (TIFFWriteScanline(tif, row, y, 0) < 0) return false;
  }
  return TIFFWriteDirectory(tif) != 0;
}

}  // namespace

std::optional<Image> DecodeTiff(std::span<const uint8_t> bytes) {
  if (bytes.size() < 8 ||
      !((bytes[0] == 'I' && bytes[1] == 'I') || (bytes[0] == 'M' && bytes[1] == 'M'))) {
    return std::nullopt;
  }
  MemoryStream stream{bytes};
  TIFF* tif = OpenStream(&stream, "rm");
  if (!tif) return std::nullopt;
  uint32_t width = 0, height = 0;
  uint16_t bits = 1, samples = 1, photometric = PHOTOMETRIC_MINISWHITE;
  TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width);
  TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height);
  TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bits);
  TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &samples);
  TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric);
  uint16_t planar = PLANARCONFIG_CONTIG;
  TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &planar);
  const bool indexed =
      bits == 8 && samples == 1 &&
      (photometric == PHOTOMETRIC_PALETTE || photometric == PHOTOMETRIC_MINISBLACK ||
       photometric == PHOTOMETRIC_MINISWHITE);
  const bool direct = indexed || (bits == 8 && planar == PLANARCONFIG_CONTIG &&
                                  photometric == PHOTOMETRIC_RGB && (samples == 3 || samples == 4));
  Image image;
  image.width = width, image.height = height;
  image.bits = indexed ? 8 : samples == 4 ? 32 : 24;
  bool ok = image.Allocate();
  if (ok && indexed) ReadPalette(tif, photometric, image);
  if (ok) ok = direct ? ReadLines(tif, image) : ReadColour(tif, image);
  TIFFClose(tif);
  if (!ok) return std::nullopt;
  return image;
}

bool EncodeTiff(const Image& image, std::vector<uint8_t>& out) {
  Image colour;
  const Image* source = &image;
  if (image.bits == 16) {  // TIFF readers expect 8 bits per sample: widen to 24-bit
    colour.width = image.width, colour.height = image.height, colour.bits = 24;
    colour.pixels = ToRgb(image);
    source = &colour;
  }
  MemoryStream stream{{}, &out};
  TIFF* tif = OpenStream(&stream, "w");
  if (!tif) return false;
  const bool ok = WriteTiff(tif, *source);
  TIFFClose(tif);
  return ok;
}

}  // namespace kinet::platform::codecs
