#include "harness/installation_win32.h"

#include <windows.h>

#include <algorithm>

namespace {

// Wine run as root opens read-only files for writing all the same. There the
// file is also made immutable on the Unix side, which binds root too; Wine
// starts Unix programs like Windows ones.
bool RunChattr(const char* flag, const std::string& path) {
    typedef char*(CDECL * UnixFileName)(const WCHAR*);
    const auto unixName = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (unixName == nullptr) return false;  // not Wine
    WCHAR wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    char* unixPath = unixName(wide);
    if (unixPath == nullptr) return false;
    std::string command = std::string("Z:\\usr\\bin\\chattr ") + flag + " \"" + unixPath + "\"";
    HeapFree(GetProcessHeap(), 0, unixPath);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool OpensForWriting(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

bool DeleteEvenImmutable(const std::string& path) {
    if (DeleteFileA(path.c_str())) return true;
    if (!RunChattr("-i", path)) return false;
    // Wine does not wait for a Unix program to finish: poll, with a bound.
    for (int attempt = 0; attempt < 100; ++attempt) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (DeleteFileA(path.c_str())) return true;
        Sleep(20);
    }
    return false;
}

bool CreateFolder(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

void DeleteTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteTree(path);
            else
                DeleteEvenImmutable(path);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

Bytes BytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

std::string HarnessTempRoot() {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof(temp), temp);
    std::string root = temp;
    if (!root.empty() && root.back() == '\\') root.pop_back();
    root += "\\verdo-e2e";
    CreateFolder(root);
    return root;
}

std::string NeutralStartDirectory() {
    const std::string folder = HarnessTempRoot() + "\\start-here";
    CreateFolder(folder);
    return folder;
}

TestInstallation::TestInstallation(const std::string& label) {
    static int serial = 0;
    path_ = HarnessTempRoot() + "\\" + label + "-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++serial);
    DeleteTree(path_);  // a leftover of an earlier, killed run
    CreateFolder(path_);
}

TestInstallation::~TestInstallation() {
    AllowNewFiles();
    DeleteTree(path_);
}

bool TestInstallation::TakesNewFiles() {
    const std::string probe = FilePath("probe.tmp");
    HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    DeleteFileA(probe.c_str());
    return true;
}

// Root writes into read-only folders: the folder is made immutable instead.
bool TestInstallation::RefuseNewFiles(std::string& why) {
    why = "chattr +i did not make the folder immutable (no right to, or no such files on this file system)";
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (!RunChattr("+i", path_)) {
            why = "chattr could not be started";
            return false;
        }
        refusing_ = true;
        // Wine does not wait for a Unix program to finish: poll, with a bound.
        bool refused = false;
        for (int poll = 0; poll < 100 && !(refused = !TakesNewFiles()); ++poll) Sleep(20);
        if (!refused) return false;
        if (!Exists("probe.tmp")) return true;
        // It turned immutable between a probe's creation and its removal.
        AllowNewFiles();
        DeleteFileA(FilePath("probe.tmp").c_str());
    }
    return false;
}

void TestInstallation::AllowNewFiles() {
    if (!refusing_) return;
    refusing_ = false;
    RunChattr("-i", path_);
    for (int attempt = 0; attempt < 100 && !TakesNewFiles(); ++attempt) Sleep(20);
}

std::string TestInstallation::FilePath(const std::string& name) const { return path_ + "\\" + name; }

bool TestInstallation::WriteFile(const std::string& name, const Bytes& bytes) {
    const std::string path = FilePath(name);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = bytes.empty() ||
                    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

bool TestInstallation::MakeReadOnly(const std::string& name, std::string& why) {
    const std::string path = FilePath(name);
    if (!SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY)) {
        why = "the read-only attribute could not be set (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    if (!OpensForWriting(path)) return true;
    if (!RunChattr("+i", path)) {
        why = "the file opens for writing despite its read-only attribute, and chattr could not be started";
        return false;
    }
    // Wine does not wait for a Unix program to finish: poll, with a bound.
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (!OpensForWriting(path)) return true;
        Sleep(20);
    }
    why = "the file opens for writing despite its read-only attribute, and chattr +i did not make it immutable "
          "(a file system without immutable files, or no right to set them)";
    return false;
}

bool TestInstallation::Exists(const std::string& name) const {
    return GetFileAttributesA(FilePath(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool TestInstallation::ReadFile(const std::string& name, Bytes& out) const {
    out.clear();
    HANDLE file = CreateFileA(FilePath(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const DWORD size = GetFileSize(file, nullptr);
    out.resize(size);
    DWORD got = 0;
    const BOOL ok = size == 0 || ::ReadFile(file, out.data(), size, &got, nullptr);
    CloseHandle(file);
    return ok && got == size;
}

std::vector<std::string> TestInstallation::FileNames() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

Bytes SettingsBytes(uint8_t redLimit, uint8_t greenLimit, uint8_t blueLimit, uint8_t duration,
                    uint8_t invert, uint8_t reserved, uint16_t videoMode) {
    return Bytes{redLimit, greenLimit, blueLimit, duration, invert, reserved,
                 static_cast<uint8_t>(videoMode & 0xFF), static_cast<uint8_t>(videoMode >> 8)};
}
