#pragma once

// Every web address and contact line of the program, kept in one place.
// The example.org addresses stand until the team publishes its own pages.

namespace quorvex::ui {

inline constexpr const char* kBlogPage1 = "https://quorvex.example.org/blog/";
inline constexpr const char* kBlogPage2 = "https://quorvex.example.org/notes/";
inline constexpr const char* kDownloadPage = "https://quorvex.example.org/download/";
inline constexpr const char* kBlogPage3 = "https://quorvex.example.org/exercises/";

/// The page OpenWebPage opens for a blank address: the first blog.
inline constexpr const char* kDefaultPage = kBlogPage1;

inline constexpr const char* kContactMail = "quorvex@example.org";
inline constexpr const char* kHomePage = "https://quorvex.example.org/";

/// The version shown in the About window.
inline constexpr const char* kVersionText = "1.1";

} // namespace quorvex::ui
