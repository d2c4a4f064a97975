// Reads this program's own resources, compiled from app/lptseg.rc: the icon and
// the version information that CMake fills in from the project version.
// Prints "N passed, N failed" and exits non-zero on any failure.
#include <cstdio>
#include <string>
#include <vector>
#include <windows.h>

namespace {

int passed = 0;
int failed = 0;

void Check(bool ok, const char* what) {
    ok ? ++passed : ++failed;
    if (!ok)
        std::printf("FAILED: %s\n", what);
}

std::wstring Text(const std::vector<char>& info, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\041A04B0\\") + name;
    if (!VerQueryValueW(info.data(), path.c_str(), &value, &length) || length == 0)
        return L"";
    return static_cast<const wchar_t*>(value);
}

} // namespace

int main() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    std::vector<char> info(GetFileVersionInfoSizeW(path, &ignored));
    Check(!info.empty() &&
              GetFileVersionInfoW(path, 0, static_cast<DWORD>(info.size()), info.data()),
          "the program carries version information");

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    const bool hasFixed =
        !info.empty() &&
        VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) &&
        length >= sizeof(VS_FIXEDFILEINFO);
    Check(hasFixed && HIWORD(fixed->dwFileVersionMS) == EXPECTED_MAJOR &&
              LOWORD(fixed->dwFileVersionMS) == EXPECTED_MINOR &&
              HIWORD(fixed->dwFileVersionLS) == EXPECTED_PATCH,
          "the file version is the project version");
    Check(hasFixed && fixed->dwFileType == VFT_APP, "the file is marked as a program");
    Check(!info.empty() && Text(info, L"ProductVersion") == EXPECTED_TEXT,
          "the product version text is the project version");
    Check(!info.empty() &&
              Text(info, L"FileDescription") == L"Upravljanje 7-segmentnim diodnim zaslonom",
          "the description is the window's caption");
    Check(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, 48, 48, 0) !=
              nullptr,
          "the program has a 48x48 icon");

    std::printf("resources (%d-bit): %d passed, %d failed\n", sizeof(void*) == 8 ? 64 : 32, passed,
                failed);
    return failed == 0 ? 0 : 1;
}
