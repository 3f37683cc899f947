#pragma once
// The program's version, in this one place: the version resource, the window's caption, the Home
// page and the package's name (scripts/package.sh) all take it from here.
#define QUOXEL_VERSION_MAJOR 1
#define QUOXEL_VERSION_MINOR 0

#define QUOXEL_STRINGIFY_(x) #x
#define QUOXEL_STRINGIFY(x) QUOXEL_STRINGIFY_(x)
#define QUOXEL_VERSION_TEXT QUOXEL_STRINGIFY(QUOXEL_VERSION_MAJOR) "." QUOXEL_STRINGIFY(QUOXEL_VERSION_MINOR)
