#pragma once
// The one place that includes the Windows headers, with the program's settings.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <shellapi.h>
#include <shlobj.h>
