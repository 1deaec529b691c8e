#include "harness/installation_win32.h"

#include <windows.h>

#include <algorithm>

namespace {

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
                DeleteFileA(path.c_str());
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

TestInstallation::~TestInstallation() { DeleteTree(path_); }

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

bool TestInstallation::MakeReadOnly(const std::string& name) {
    return SetFileAttributesA(FilePath(name).c_str(), FILE_ATTRIBUTE_READONLY) != 0;
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
