#include "texts/text.h"

namespace quorvex {

namespace {
thread_local Language tCurrent = Language::Chinese;
} // namespace

Language currentLanguage() noexcept { return tCurrent; }

LanguageScope::LanguageScope(Language language) noexcept : m_before(tCurrent) {
    tCurrent = language;
}

LanguageScope::~LanguageScope() { tCurrent = m_before; }

} // namespace quorvex
