#include "util/codepage.h"

#include <array>
#include <atomic>
#include <memory>

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

namespace glyphgrab {
namespace {

struct DecodeCounter {
  std::size_t bad = 0;     // bytes that became U+FFFD
  std::size_t events = 0;  // every call of the callback, the five mapped bytes included
};

// ICU substitutes U+001A by default, a control character the readers would strip
// without a trace. Windows maps five single bytes that ICU's windows-31j table lacks.
void Cp932ToUnicodeCallback(const void* context, UConverterToUnicodeArgs* args,
                            const char* codeUnits, int32_t length,
                            UConverterCallbackReason reason, UErrorCode* err) {
  if (reason != UCNV_UNASSIGNED && reason != UCNV_ILLEGAL && reason != UCNV_IRREGULAR) return;
  auto* counter = static_cast<DecodeCounter*>(const_cast<void*>(context));
  ++counter->events;
  UChar sub = 0xFFFD;
  if (length == 1) {
    switch (static_cast<std::uint8_t>(codeUnits[0])) {
      case 0x80: sub = 0x0080; break;
      case 0xA0: sub = 0xF8F0; break;
      case 0xFD: sub = 0xF8F1; break;
      case 0xFE: sub = 0xF8F2; break;
      case 0xFF: sub = 0xF8F3; break;
      default: break;
    }
  }
  if (sub == 0xFFFD) counter->bad += static_cast<std::size_t>(length);
  *err = U_ZERO_ERROR;
  ucnv_cbToUWriteUChars(args, &sub, 1, 0, err);
}

struct ConverterCloser {
  void operator()(UConverter* c) const { ucnv_close(c); }
};

struct Cp932Converter {
  std::unique_ptr<UConverter, ConverterCloser> conv;
  DecodeCounter counter;

  Cp932Converter() {
    UErrorCode err = U_ZERO_ERROR;
    conv.reset(ucnv_open("windows-31j", &err));
    if (U_FAILURE(err) || !conv) {
      conv.reset();
      return;
    }
    ucnv_setToUCallBack(conv.get(), Cp932ToUnicodeCallback, &counter, nullptr, nullptr, &err);
  }
};

Cp932Converter& ThreadConverter() {
  thread_local Cp932Converter converter;
  return converter;
}

// Decodes bytes[from, size) into out starting at position w with ICU; returns the new
// output length. Decoding may start at any character boundary: the code page is
// stateless.
std::size_t IcuDecode(ByteSpan bytes, std::size_t from, char16_t* out, std::size_t w,
                      std::size_t outCapacity, DecodeCounter& result) {
  result = {};
  Cp932Converter& c = ThreadConverter();
  if (!c.conv) {
    // Without ICU's table nothing beyond ASCII can be decoded honestly.
    for (std::size_t k = from; k < bytes.size(); ++k) {
      out[w++] = bytes[k] < 0x80 ? bytes[k] : 0xFFFD;
      if (bytes[k] >= 0x80) ++result.bad;
    }
    return w;
  }
  ucnv_resetToUnicode(c.conv.get());
  c.counter = {};
  UErrorCode err = U_ZERO_ERROR;
  UChar* target = reinterpret_cast<UChar*>(out) + w;
  UChar* const targetLimit = reinterpret_cast<UChar*>(out) + outCapacity;
  const char* source = reinterpret_cast<const char*>(bytes.data()) + from;
  const char* const sourceLimit = reinterpret_cast<const char*>(bytes.data()) + bytes.size();
  ucnv_toUnicode(c.conv.get(), &target, targetLimit, &source, sourceLimit, nullptr, true, &err);
  result = c.counter;
  return static_cast<std::size_t>(target - reinterpret_cast<UChar*>(out));
}

// ICU's converter costs about 80 ns a call, which dominates for the short texts of a
// drawing. This table is filled from that same converter: every byte, and every
// lead/trail pair that ICU decodes to one unit without an error. Anything else (bad
// bytes, the five special single bytes) goes back to ICU, so the result is always
// exactly ICU's. A lead byte's row is filled when a text first uses it: a process that
// decodes a few texts does not pay for the 16,000 pairs of the whole code page.
class Cp932FastTable {
 public:
  static constexpr char16_t kNotSimple = 0xFFFF;  // code page 932 never decodes to U+FFFF
  using Row = std::array<char16_t, 256>;

  Cp932FastTable() {
    single_.fill(kNotSimple);
    char16_t out[4];
    DecodeCounter result;
    for (std::size_t b = 0; b < 256; ++b) {
      const std::uint8_t one[1] = {static_cast<std::uint8_t>(b)};
      if (IcuDecode(one, 0, out, 0, 4, result) == 1 && result.events == 0) single_[b] = out[0];
    }
  }
  ~Cp932FastTable() {
    for (auto& row : pairs_) delete row.load(std::memory_order_relaxed);
  }
  Cp932FastTable(const Cp932FastTable&) = delete;
  Cp932FastTable& operator=(const Cp932FastTable&) = delete;

  // Decodes from the start while the bytes are simple; returns the bytes consumed and
  // sets w to the units written.
  std::size_t Decode(ByteSpan bytes, char16_t* out, std::size_t& w) const {
    const std::size_t n = bytes.size();
    std::size_t p = 0;
    w = 0;
    while (p < n) {
      const std::uint8_t b = bytes[p];
      const char16_t u = single_[b];
      if (u != kNotSimple) {
        out[w++] = u;
        ++p;
        continue;
      }
      if (p + 1 >= n) break;
      const char16_t v = PairsOf(b)[bytes[p + 1]];
      if (v == kNotSimple) break;
      out[w++] = v;
      p += 2;
    }
    return p;
  }

 private:
  // The row of a byte that is not simple alone; all kNotSimple for a byte that starts no
  // pair. Threads that fill the same row at once decode the same values; the first to
  // publish wins and the others drop theirs.
  const Row& PairsOf(std::uint8_t lead) const {
    std::atomic<Row*>& slot = pairs_[lead];
    if (const Row* row = slot.load(std::memory_order_acquire)) return *row;
    auto filled = std::make_unique<Row>();
    filled->fill(kNotSimple);
    char16_t out[4];
    DecodeCounter result;
    for (std::size_t t = 0; t < 256; ++t) {
      const std::uint8_t two[2] = {lead, static_cast<std::uint8_t>(t)};
      if (IcuDecode(two, 0, out, 0, 4, result) == 1 && result.events == 0) (*filled)[t] = out[0];
    }
    Row* expected = nullptr;
    if (slot.compare_exchange_strong(expected, filled.get(), std::memory_order_acq_rel)) return *filled.release();
    return *expected;
  }

  std::array<char16_t, 256> single_{};
  mutable std::array<std::atomic<Row*>, 256> pairs_{};
};

const Cp932FastTable& FastTable() {
  static const Cp932FastTable table;
  return table;
}

}  // namespace

std::size_t Cp932AppendTo(ByteSpan bytes, std::u16string& out, std::size_t* bad) {
  if (bad) *bad = 0;
  if (bytes.empty()) return 0;
  // Every byte yields at most one unit, so the output never outgrows the input.
  const std::size_t at = out.size();
  out.resize(at + bytes.size());
  char16_t* const d = out.data() + at;
  std::size_t w = 0;
  const std::size_t p = FastTable().Decode(bytes, d, w);
  if (p < bytes.size()) {
    DecodeCounter result;
    w = IcuDecode(bytes, p, d, w, bytes.size(), result);
    if (bad) *bad = result.bad;
  }
  out.resize(at + w);
  return w;
}

std::u16string Cp932BytesToStr(ByteSpan bytes, std::size_t* bad) {
  std::u16string out;
  Cp932AppendTo(bytes, out, bad);
  return out;
}

std::u16string detail::Cp932BytesToStrIcuOnly(ByteSpan bytes, std::size_t* bad) {
  std::u16string out(bytes.size(), u'\0');
  DecodeCounter result;
  out.resize(IcuDecode(bytes, 0, out.data(), 0, out.size(), result));
  if (bad) *bad = result.bad;
  return out;
}

}  // namespace glyphgrab
