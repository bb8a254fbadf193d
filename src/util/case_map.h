// Letter-case mapping by the platform's text services (ICU on Linux, the system's
// linguistic casing on Windows).
#pragma once

#include <cstddef>

namespace glyphgrab {

enum class CaseMap { Upper, Lower, Fold };

// Maps the n units at d in place, code point by code point. The length never changes: a
// character whose mapping would take another number of units stays as it is.
void MapCaseInPlace(char16_t* d, std::size_t n, CaseMap how);

}  // namespace glyphgrab
