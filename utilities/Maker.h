#pragma once

// The maker's web address and credit line, shown on the Home page and as the catalogue's first link.
inline constexpr wchar_t kMakerAddress[] = L"https://quoxel.net";
inline constexpr wchar_t kMakerCredit[] = L"Made by the Quoxel team, 2026";
