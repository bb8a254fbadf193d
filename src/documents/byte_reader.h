// The one bounds-checked reader every Jw_cad reader parses with. It works on bytes
// already in memory and never touches the file system.
//
// End of data: a read past the end delivers the bytes that remain and zeros for the
// rest, as a short read from a file stream would leave them; `Read` answers how many
// bytes were delivered so that a caller can treat "no byte at all" as the end of the
// file. Nothing here throws or allocates.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace glyphgrab {

// Little-endian fields of a fixed-size record already in memory; the caller guarantees
// the bytes are there.
inline std::uint16_t LeU16At(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t LeU32At(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline float LeF32At(const std::uint8_t* p) { return std::bit_cast<float>(LeU32At(p)); }
inline double LeF64At(const std::uint8_t* p) {
  return std::bit_cast<double>(LeU32At(p) | (static_cast<std::uint64_t>(LeU32At(p + 4)) << 32));
}

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) {}

  std::size_t pos() const { return pos_; }
  std::size_t size() const { return data_.size(); }
  std::size_t remaining() const { return data_.size() - pos_; }
  bool atEnd() const { return pos_ >= data_.size(); }
  // True once any read was cut short by the end of the data.
  bool hitEnd() const { return hitEnd_; }

  // Copies up to n bytes to out and zero-fills the rest; returns the bytes delivered.
  std::size_t Read(void* out, std::size_t n) {
    const std::size_t got = std::min(n, remaining());
    if (got > 0) std::memcpy(out, data_.data() + pos_, got);
    if (got < n) {
      std::memset(static_cast<std::uint8_t*>(out) + got, 0, n - got);
      hitEnd_ = true;
    }
    pos_ += got;
    return got;
  }

  // A view of up to n bytes, advancing past them (shorter at the end of the data).
  std::span<const std::uint8_t> Take(std::size_t n) {
    const std::size_t got = std::min(n, remaining());
    if (got < n) hitEnd_ = true;
    auto view = data_.subspan(pos_, got);
    pos_ += got;
    return view;
  }

  void Skip(std::size_t n) { Take(n); }
  void Seek(std::size_t pos) { pos_ = std::min(pos, data_.size()); }

  [[gnu::always_inline]] std::uint8_t U8() { return Le<std::uint8_t>(); }
  [[gnu::always_inline]] std::uint16_t U16() { return Le<std::uint16_t>(); }
  [[gnu::always_inline]] std::uint32_t U32() { return Le<std::uint32_t>(); }
  [[gnu::always_inline]] std::int16_t I16() { return static_cast<std::int16_t>(Le<std::uint16_t>()); }
  [[gnu::always_inline]] std::int32_t I32() { return static_cast<std::int32_t>(Le<std::uint32_t>()); }
  [[gnu::always_inline]] float F32() { return std::bit_cast<float>(Le<std::uint32_t>()); }
  [[gnu::always_inline]] double F64() { return std::bit_cast<double>(Le<std::uint64_t>()); }

  // The checked forms: false when not one byte could be delivered (the end of the
  // file); the value is then 0. A partly delivered value counts as read.
  bool CheckedU8(std::uint8_t& v) { return Checked(v); }
  bool CheckedU16(std::uint16_t& v) { return Checked(v); }
  bool CheckedU32(std::uint32_t& v) { return Checked(v); }
  bool CheckedF64(double& v) {
    std::uint64_t bits = 0;
    const bool ok = Checked(bits);
    v = std::bit_cast<double>(bits);
    return ok;
  }
  bool CheckedI32(std::int32_t& v) {
    std::uint32_t u = 0;
    const bool ok = Checked(u);
    v = static_cast<std::int32_t>(u);
    return ok;
  }

 private:
  // Every field of every reader goes through here: the whole-field load is forced
  // inline, the cut-short end of the data kept out of line.
  template <typename T>
  [[gnu::always_inline]] T Le() {
    if constexpr (std::endian::native == std::endian::little) {
      // Most fields lie whole within the data: one load.
      if (remaining() >= sizeof(T)) {
        T v;
        // Inlined where the data's size is known, GCC warns of this load also on paths
        // the test above rules out.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
        std::memcpy(&v, data_.data() + pos_, sizeof(T));
#pragma GCC diagnostic pop
        pos_ += sizeof(T);
        return v;
      }
    }
    return LeByBytes<T>();
  }

  template <typename T>
  [[gnu::noinline]] T LeByBytes() {
    std::uint8_t b[sizeof(T)];
    Read(b, sizeof b);
    T v = 0;
    for (std::size_t k = sizeof(T); k-- > 0;) v = static_cast<T>((v << 8) | b[k]);
    return v;
  }

  template <typename T>
  bool Checked(T& v) {
    const bool any = remaining() > 0;
    v = Le<T>();
    return any;
  }

  std::span<const std::uint8_t> data_;
  std::size_t pos_ = 0;
  bool hitEnd_ = false;
};

}  // namespace glyphgrab
