#pragma once
#include "tools/disk/FolderWalk.h"

// The search's walk on a real drive: each folder identified, then listed once.
const FolderAccess& DriveFolderAccess();
// How many threads list folders ahead of a search's walk.
unsigned SearchWorkers();
