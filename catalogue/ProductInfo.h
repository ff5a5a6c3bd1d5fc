#pragma once

namespace quillery {

// The product's name as the user sees it in captions and files.
inline constexpr const char16_t* ProductName = u"Tollvern Quillery";
// The maker's web site, shown in the About box and written into shelf files.
inline constexpr const char16_t* ProductHomePage = u"https://www.tollvern.example/quillery/";

} // namespace quillery
