#pragma once
// Resources of quoxel.exe (shared by the resource script and the code).
#define IDI_QUOXEL 1
#define IDR_LOGO 100
#define IDR_MODULE_FIRST 110  // eight module pictures, numbered 110 to 117
