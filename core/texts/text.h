#pragma once

#include <string_view>

namespace quorvex {

/// The application's title, shown as the caption of every dialog that a
/// command opens without a caption of its own.
inline constexpr std::string_view kAppTitle = "Quorvex";

/// The languages the program writes in. Chinese is the default everywhere:
/// a report never follows the system's locale.
enum class Language { Chinese, English };

/// The language of the texts this thread writes now.
Language currentLanguage() noexcept;

/// Sets the language of this thread's texts while it lives, then restores
/// the one before: a command writes in one language from start to end.
class LanguageScope {
public:
    explicit LanguageScope(Language language) noexcept;
    ~LanguageScope();
    LanguageScope(const LanguageScope&) = delete;
    LanguageScope& operator=(const LanguageScope&) = delete;

private:
    Language m_before;
};

/// A catalogue text in both languages; read as a string_view it is the
/// current language's. A text without an English form yet reads as its
/// Chinese.
struct Text {
    std::string_view zh;
    std::string_view en{};

    constexpr Text() = default;
    constexpr Text(const char* chinese) : zh(chinese) {}
    constexpr Text(std::string_view chinese) : zh(chinese) {}
    constexpr Text(std::string_view chinese, std::string_view english) : zh(chinese), en(english) {}

    /// The text in `language`.
    constexpr std::string_view in(Language language) const {
        return language == Language::English && !en.empty() ? en : zh;
    }
    std::string_view get() const { return in(currentLanguage()); }
    operator std::string_view() const { return get(); }

    std::size_t size() const { return get().size(); }
    const char* data() const { return get().data(); }
    bool empty() const { return zh.empty(); }

    friend bool operator==(const Text& a, std::string_view b) { return a.get() == b; }
};

} // namespace quorvex
