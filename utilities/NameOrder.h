#pragma once
#include <string>

// The order in which Explorer lists file names: the English letters without regard to their case (the
// same under every locale), and a run of digits by its value, so that "IMG_2.jpg" comes before
// "IMG_10.jpg". Only the names are compared, not the folders before them.
bool FileNameOrderLess(const std::wstring& leftPath, const std::wstring& rightPath);
