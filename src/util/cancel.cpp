#include "util/cancel.h"

namespace glyphgrab {
namespace {

thread_local const CancelToken* current = nullptr;

}  // namespace

CancelScope::CancelScope(const CancelToken* token) : previous_(current) { current = token; }

CancelScope::~CancelScope() { current = previous_; }

bool CancelRequested() { return current != nullptr && current->Abandoned(); }

}  // namespace glyphgrab
