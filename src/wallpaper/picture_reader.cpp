#include "wallpaper/picture_reader.h"

#include <windows.h>
#include <wincodec.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <optional>
#include <span>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "common/bmp.h"
#include "common/file_write.h"
#include "common/jpeg.h"
#include "common/picture_formats.h"
#include "lang/program_texts.h"
#include "ui/error.h"
#include "ui/handle.h"
#include "ui/wide_text.h"

namespace wc {

namespace {

// The few GUIDs used, defined here: <initguid.h> would put every GUID of the
// header into the program.
constexpr GUID kImagingFactory = {0xcacaf262, 0x9370, 0x4615, {0xa1, 0x3b, 0x9f, 0x55, 0x39, 0xda, 0x4c, 0x0a}};
constexpr GUID kPbgra32 = {0x6fddc324, 0x4e03, 0x4bfe, {0xb1, 0x85, 0x3d, 0x77, 0x76, 0x8d, 0xc9, 0x10}};
constexpr GUID kBgr24 = {0x6fddc324, 0x4e03, 0x4bfe, {0xb1, 0x85, 0x3d, 0x77, 0x76, 0x8d, 0xc9, 0x0c}};
constexpr GUID kPngContainer = {0x1b7cfaf4, 0x713f, 0x473c, {0xbb, 0xcd, 0x61, 0x37, 0x42, 0x5f, 0xae, 0xaf}};

std::string HresultText(HRESULT hr) {
  if (hr == HRESULT(0x88982F50)) return Say(texts::kNoDecoder);
  if (hr == E_OUTOFMEMORY) return Say(texts::kNotEnoughMemory);
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(hr));
  // The codecs' own errors (0x8898....) mean the data is not what it claims.
  if ((static_cast<unsigned long>(hr) >> 16) == 0x8898) return Say(texts::kPictureDamagedCode, {code});
  // The system's own text is in the user's language already.
  return ui::SystemErrorText(DWORD(hr)) + " (" + code + ")";
}

// Every refusal says which file and why, in the program's language.
[[noreturn]] void Fail(const std::string& name, const std::string& why) {
  throw ui::Error(Say(texts::kCannotReadPicture, {name, why}));
}

std::string SizeRefusal(int64_t width, int64_t height) {
  return Say(texts::kPictureTooLarge, {std::to_string(width), std::to_string(height), std::to_string(kMaxJpegSide),
                                      std::to_string(kMaxJpegPixels / 1000000)});
}

void Check(HRESULT hr, const std::string& name) {
  if (FAILED(hr)) Fail(name, HresultText(hr));
}

// The portable decoders describe their faults in English for whoever
// debugs them; the user is told the kind of fault in the program's language,
// judged from the file itself wherever it can be.

// The size a bitmap's header gives, whatever the limits; nullopt when the
// header is too short to say.
std::optional<ClaimedSize> BitmapHeaderSize(std::span<const uint8_t> bytes) {
  auto at = [&](size_t i, int n) {
    uint32_t v = 0;
    for (int k = n - 1; k >= 0; --k) v = (v << 8) | bytes[i + size_t(k)];
    return v;
  };
  if (bytes.size() < 26) return std::nullopt;
  if (at(14, 4) == 12) return ClaimedSize{at(18, 2), at(20, 2)};  // the OS/2 header: 16-bit sides
  const int64_t width = int32_t(at(18, 4)), height = int32_t(at(22, 4));
  return ClaimedSize{width, height < 0 ? -height : height};  // rows may run top-down
}

std::string BitmapFault(const std::exception& fault, std::span<const uint8_t> bytes) {
  if (const auto size = BitmapHeaderSize(bytes); size && !PictureSizeAllowed(size->width, size->height)) {
    return SizeRefusal(size->width, size->height);
  }
  if (dynamic_cast<const ui::Error*>(&fault)) return fault.what();  // said for the user already
  // The reader's one word for data that ends before the header's promise.
  if (std::string_view(fault.what()).find("truncated") != std::string_view::npos) return Say(texts::kPictureCutShort);
  return Say(texts::kPictureDamaged);
}

[[noreturn]] void FailJpeg(const JpegError& fault, std::span<const uint8_t> bytes, const std::string& name) {
  try {
    const JpegInfo info = ReadJpegInfoBytes(bytes, name);
    if (!PictureSizeAllowed(info.width, info.height)) Fail(name, SizeRefusal(info.width, info.height));
  } catch (const JpegError&) {
    // Not even the header: the marker at the end still tells a cut.
  }
  // Memory refused (a progressive file's coefficients past the decoder's cap
  // included): our decoder's own words for it.
  if (fault.detail().find("memory") != std::string::npos) Fail(name, Say(texts::kNotEnoughMemory));
  // A whole file ends with the end-of-image marker; a file whose only fault
  // is a missing marker decodes, so one without it that fails was cut short.
  const bool ended = bytes.size() >= 2 && bytes[bytes.size() - 2] == 0xFF && bytes.back() == 0xD9;
  Fail(name, Say(ended ? texts::kPictureDamaged : texts::kPictureCutShort));
}

// The factory, on a thread that may not have COM yet: the caller's
// apartment is used when there is one.
struct Wic {
  ui::ComInit com;
  ui::ComPtr<IWICImagingFactory> factory;
  explicit Wic(const std::string& name) {
    Check(CoCreateInstance(kImagingFactory, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IWICImagingFactory),
                           factory.put_void()),
          name);
  }
};

struct WicFrame {
  ui::ComPtr<IWICStream> stream;
  ui::ComPtr<IWICBitmapDecoder> decoder;
  ui::ComPtr<IWICBitmapFrameDecode> frame;
  UINT width = 0, height = 0;
};

// The decoder and first frame of a file in memory, its size checked.
WicFrame OpenFrame(Wic& wic, const std::string& bytes, const std::string& name) {
  WicFrame f;
  Check(wic.factory->CreateStream(f.stream.put()), name);
  Check(f.stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())), DWORD(bytes.size())),
        name);
  Check(wic.factory->CreateDecoderFromStream(f.stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                             f.decoder.put()),
        name);
  UINT frames = 0;
  Check(f.decoder->GetFrameCount(&frames), name);
  if (frames == 0) Fail(name, Say(texts::kNoPictureInFile));
  Check(f.decoder->GetFrame(0, f.frame.put()), name);
  Check(f.frame->GetSize(&f.width, &f.height), name);
  if (!PictureSizeAllowed(f.width, f.height)) Fail(name, SizeRefusal(f.width, f.height));
  return f;
}

// "PNG Decoder" -> "PNG image", in the program's language: the format's
// name is the decoder's, the words around it ours.
std::string TypeName(IWICBitmapDecoder* decoder) {
  ui::ComPtr<IWICBitmapDecoderInfo> info;
  if (FAILED(decoder->GetDecoderInfo(info.put())) || !info) return Say(texts::kPicture);
  UINT length = 0;
  if (FAILED(info->GetFriendlyName(0, nullptr, &length)) || length == 0) return Say(texts::kPicture);
  std::wstring text(length, L'\0');
  if (FAILED(info->GetFriendlyName(length, text.data(), &length))) return Say(texts::kPicture);
  text.resize(wcsnlen(text.c_str(), text.size()));
  std::string name = ui::Narrow(text);
  for (const char* tail : {" Decoder", " decoder"}) {
    if (name.size() > std::strlen(tail) && name.ends_with(tail)) name.resize(name.size() - std::strlen(tail));
  }
  return name.empty() ? Say(texts::kPicture) : Say(texts::kPictureOfKind, {name});
}

// Our own look at the file before any system decoder: a claimed size
// beyond the limits, or data cut short or damaged, is refused whatever the
// decoder would make of it.
void CheckBeforeDecoding(std::span<const uint8_t> bytes, const std::string& name) {
  if (const auto claimed = ClaimedPictureSize(bytes); claimed && !PictureSizeAllowed(claimed->width, claimed->height)) {
    Fail(name, SizeRefusal(claimed->width, claimed->height));
  }
  if (!PictureDataComplete(bytes)) Fail(name, Say(texts::kPictureCutShortOrDamaged));
}

// The size a picture of width x height gets when its longer side becomes
// `longSide`: the other side keeps the ratio, fraction dropped, at least 1.
std::pair<UINT, UINT> ReducedSize(UINT width, UINT height, int longSide) {
  const uint64_t side = UINT(longSide);
  if (width >= height) return {UINT(side), UINT(std::max<uint64_t>(1, height * side / width))};
  return {UINT(std::max<uint64_t>(1, width * side / height)), UINT(side)};
}

// A `longSide` above 0 has the system's scaler make a picture larger than
// that longer side down to twice it, leaving the last step to the caller's
// smoothing draw (Wine's scaler takes the nearest pixel).
ui::Bitmap DecodeWic(const std::string& bytes, const std::string& name, uint32_t background, int longSide) {
  CheckBeforeDecoding(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), name);
  Wic wic(name);
  WicFrame f = OpenFrame(wic, bytes, name);
  IWICBitmapSource* source = f.frame.get();
  UINT width = f.width, height = f.height;
  ui::ComPtr<IWICBitmapScaler> scaler;
  if (longSide > 0 && std::max(width, height) > UINT(2 * longSide)) {
    std::tie(width, height) = ReducedSize(width, height, 2 * longSide);
    Check(wic.factory->CreateBitmapScaler(scaler.put()), name);
    Check(scaler->Initialize(f.frame.get(), width, height, WICBitmapInterpolationModeFant), name);
    source = scaler.get();
  }
  ui::ComPtr<IWICFormatConverter> converter;
  Check(wic.factory->CreateFormatConverter(converter.put()), name);
  Check(converter->Initialize(source, kPbgra32, WICBitmapDitherTypeNone, nullptr, 0.0, WICBitmapPaletteTypeCustom),
        name);
  ui::Bitmap bitmap = ui::Bitmap::ForWriting(int(width), int(height));
  const UINT stride = width * 4;
  Check(converter->CopyPixels(nullptr, stride, stride * height, reinterpret_cast<BYTE*>(bitmap.Bits())), name);
  ComposeOver(std::span<uint32_t>(bitmap.Bits(), size_t(width) * height), background);
  return bitmap;
}

ui::Bitmap DecodeJpeg(const std::string& bytes, const std::string& name, int longSide) {
  ui::Bitmap bitmap;
  DecodeJpegBytesInto(
      std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), name,
      [&](int width, int height) {
        bitmap = ui::Bitmap::ForWriting(width, height);
        return JpegTarget{reinterpret_cast<uint8_t*>(bitmap.Bits()), size_t(width) * 4};
      },
      longSide);
  return bitmap;
}

// A picture as decoded: pixels, or a drawing of the system's loader.
struct Decoded {
  ui::Bitmap bitmap;
  ui::Picture drawing;
};

// The system's picture loader, for the kinds only it reads: icons,
// metafiles and bitmaps our reader does not know, each after our checks of
// its header. The size it reports is checked again before anything is
// drawn: a metafile's frame grows with the screen's dots per inch.
Decoded Drawing(const std::string& bytes, const std::string& name) {
  ui::Picture drawing = ui::Picture::LoadFromBytes(bytes, name);  // its errors name the file
  if (!PictureSizeAllowed(drawing.Width(), drawing.Height())) {
    Fail(name, SizeRefusal(drawing.Width(), drawing.Height()));
  }
  return {ui::Bitmap(), std::move(drawing)};
}

std::span<const uint8_t> Bytes(const std::string& bytes) {
  return std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

// Our reader knows the common bitmaps; the system's loader gets only the
// kinds it does not know, once their header passed. A bitmap our reader
// refuses stays refused: another loader must not make a picture of it.
Decoded DecodeBitmapFile(const std::string& bytes, const std::string& name) {
  try {
    ui::Bitmap bitmap;
    DecodeBmpInto(Bytes(bytes), [&](int width, int height) {
      bitmap = ui::Bitmap::ForWriting(width, height);
      return BmpTarget{bitmap.Bits(), size_t(width)};
    });
    return {std::move(bitmap), ui::Picture()};
  } catch (const BmpUnsupported&) {
    try {
      return Drawing(bytes, name);
    } catch (const std::exception&) {
      Fail(name, Say(texts::kNotAPictureWeRead));
    }
  } catch (const std::exception& damaged) {
    Fail(name, BitmapFault(damaged, Bytes(bytes)));
  }
}

// A `longSide` above 0 reduces large JPEG and system-decoded pictures for
// a preview (see ReadPicturePreview).
Decoded DecodeBytes(const std::string& bytes, const std::string& name, uint32_t background, int longSide = 0) {
  switch (SniffPicture(Bytes(bytes))) {
    case PictureSignature::Jpeg:
      try {
        return {DecodeJpeg(bytes, name, longSide), ui::Picture()};
      } catch (const JpegError& fault) {
        FailJpeg(fault, Bytes(bytes), name);
      }
    case PictureSignature::Bitmap:
      return DecodeBitmapFile(bytes, name);
    case PictureSignature::Icon:
    case PictureSignature::Metafile:
      CheckBeforeDecoding(Bytes(bytes), name);
      return Drawing(bytes, name);
    default:
      // What WIC refuses (our checks included) stays refused.
      return {DecodeWic(bytes, name, background, longSide), ui::Picture()};
  }
}

std::string ReadWholeFile(const std::string& path) { return ui::ReadSharedFile(path); }

}  // namespace

void LearnSystemPictureExtensions() {
  static std::once_flag once;
  std::call_once(once, [] {
    try {
      Wic wic("the system's decoders");
      ui::ComPtr<IEnumUnknown> components;
      if (FAILED(wic.factory->CreateComponentEnumerator(WICDecoder, WICComponentEnumerateDefault,
                                                        components.put()))) {
        return;
      }
      std::vector<std::string> found;
      for (;;) {
        ui::ComPtr<IUnknown> item;
        ULONG got = 0;
        if (components->Next(1, item.put(), &got) != S_OK || got == 0) break;
        ui::ComPtr<IWICBitmapDecoderInfo> info;
        if (FAILED(item->QueryInterface(__uuidof(IWICBitmapDecoderInfo), info.put_void()))) continue;
        UINT length = 0;
        if (FAILED(info->GetFileExtensions(0, nullptr, &length)) || length == 0 || length > 4096) continue;
        std::wstring text(length, L'\0');
        if (FAILED(info->GetFileExtensions(length, text.data(), &length))) continue;
        text.resize(wcsnlen(text.c_str(), text.size()));
        for (std::string& e : SplitExtensionList(ui::Narrow(text))) found.push_back(std::move(e));
      }
      AddPictureExtensions(found);
    } catch (const std::exception&) {
      // Without the component the base extensions are all there is.
    }
  });
}

uint32_t DesktopBackground() {
  const COLORREF c = GetSysColor(COLOR_DESKTOP);
  return MakePixel(GetRValue(c), GetGValue(c), GetBValue(c));
}

PictureFileInfo ReadPictureInfo(const std::string& path) {
  const std::string bytes = ReadWholeFile(path);
  const auto head = Bytes(bytes);
  const PictureSignature kind = SniffPicture(head);
  if (kind == PictureSignature::Jpeg) {
    try {
      const JpegInfo jpeg = ReadJpegInfoBytes(head, path);
      return {jpeg.width, jpeg.height, Say(texts::kJpegImage)};
    } catch (const JpegError& fault) {
      FailJpeg(fault, head, path);
    }
  }
  if (kind == PictureSignature::Bitmap) {
    // Our reader's checks, for the kinds it does not decode too.
    try {
      (void)CheckBmpHeaders(head);
    } catch (const BmpUnsupported&) {
    } catch (const std::exception& damaged) {
      Fail(path, BitmapFault(damaged, head));
    }
  }
  CheckBeforeDecoding(head, path);
  Wic wic(path);
  WicFrame f = OpenFrame(wic, bytes, path);
  return {int(f.width), int(f.height), TypeName(f.decoder.get())};
}

ui::Picture DecodePicture(const std::string& bytes, const std::string& name, uint32_t background) {
  Decoded d = DecodeBytes(bytes, name, background);
  return d.bitmap.Empty() ? std::move(d.drawing) : ui::Picture(std::move(d.bitmap));
}

ui::Picture ReadPictureFile(const std::string& path, uint32_t background) {
  return DecodePicture(ReadWholeFile(path), path, background);
}

ui::Picture ReadPicturePreview(const std::string& path, uint32_t background, int longSide) {
  Decoded d = DecodeBytes(ReadWholeFile(path), path, background, longSide);
  return d.bitmap.Empty() ? std::move(d.drawing) : ui::Picture(std::move(d.bitmap));
}

ui::Bitmap ReadPictureBitmap(const std::string& path, uint32_t background) {
  Decoded d = DecodeBytes(ReadWholeFile(path), path, background);
  return d.bitmap.Empty() ? PictureBitmap(d.drawing, background) : std::move(d.bitmap);
}

ui::Bitmap PictureBitmap(const ui::Picture& picture, uint32_t background) {
  if (picture.AsBitmap() || picture.Empty()) return picture.ToBitmap();
  const int width = picture.Width(), height = picture.Height();
  if (!PictureSizeAllowed(width, height)) {
    throw ui::Error(Say(texts::kPictureTooLargeToDraw, {SizeRefusal(width, height)}));
  }
  ui::Bitmap bitmap = ui::Bitmap::ForWriting(width, height);
  std::fill_n(bitmap.Bits(), size_t(width) * size_t(height), background);
  {
    ui::MemoryDC dc(CreateCompatibleDC(nullptr));
    ui::SelectGuard chosen(dc.get(), bitmap.Handle());
    picture.Draw(dc.get(), RECT{0, 0, width, height});
    GdiFlush();
  }
  // Whatever the drawing left of byte 3 goes: pixels are 0x00RRGGBB.
  for (uint32_t& p : std::span(bitmap.Bits(), size_t(width) * size_t(height))) p &= 0x00FFFFFF;
  return bitmap;
}

void WritePngFile(const std::string& path, const ui::Bitmap& bitmap) {
  if (bitmap.Empty()) throw ui::Error(Say(texts::kNoPictureToWrite, {path}));
  auto fail = [&](HRESULT hr) {
    if (FAILED(hr)) throw ui::Error(Say(texts::kCannotWritePng, {path, HresultText(hr)}));
  };
  ui::ComInit com;
  ui::ComPtr<IWICImagingFactory> factory;
  fail(CoCreateInstance(kImagingFactory, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IWICImagingFactory),
                        factory.put_void()));
  ui::ComPtr<IStream> memory;
  fail(CreateStreamOnHGlobal(nullptr, TRUE, memory.put()));
  ui::ComPtr<IWICBitmapEncoder> encoder;
  fail(factory->CreateEncoder(kPngContainer, nullptr, encoder.put()));
  fail(encoder->Initialize(memory.get(), WICBitmapEncoderNoCache));
  ui::ComPtr<IWICBitmapFrameEncode> frame;
  fail(encoder->CreateNewFrame(frame.put(), nullptr));
  fail(frame->Initialize(nullptr));
  const UINT width = UINT(bitmap.Width()), height = UINT(bitmap.Height());
  fail(frame->SetSize(width, height));
  WICPixelFormatGUID format = kBgr24;
  fail(frame->SetPixelFormat(&format));
  if (!IsEqualGUID(format, kBgr24)) fail(WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT);
  // Our pixels carry no alpha: written as three bytes, a strip at a time.
  const UINT stride = (width * 3 + 3) & ~3u;
  const UINT strip = std::max(1u, (1u << 20) / stride);
  std::vector<BYTE> rows(size_t(stride) * strip);
  for (UINT y = 0; y < height; y += strip) {
    const UINT count = std::min(strip, height - y);
    for (UINT r = 0; r < count; ++r) {
      const uint32_t* in = bitmap.Bits() + size_t(y + r) * width;
      BYTE* out = rows.data() + size_t(r) * stride;
      for (UINT x = 0; x < width; ++x, out += 3) std::memcpy(out, &in[x], 3);
    }
    fail(frame->WritePixels(count, stride, stride * count, rows.data()));
  }
  fail(frame->Commit());
  fail(encoder->Commit());
  HGLOBAL global = nullptr;
  fail(GetHGlobalFromStream(memory.get(), &global));
  STATSTG stat{};
  fail(memory->Stat(&stat, STATFLAG_NONAME));
  const size_t size = size_t(stat.cbSize.QuadPart);
  const void* data = GlobalLock(global);
  if (!data) fail(E_OUTOFMEMORY);
  std::vector<uint8_t> bytes(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size);
  GlobalUnlock(global);
  WriteFileBytes(path, bytes);
}

}  // namespace wc
