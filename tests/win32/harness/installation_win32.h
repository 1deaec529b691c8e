// Installation directories for the end-to-end cases: one fresh folder per
// case under the Wine temp directory, holding that case's verdo.ini and
// verdo.set bytes (or none), removed again at the end of the case.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

Bytes BytesOf(const std::string& text);

// The harness's own folder under the temp directory, created on first use.
std::string HarnessTempRoot();
// An empty folder that processes are started in, so the program can never
// find its files there by accident.
std::string NeutralStartDirectory();

class TestInstallation {
public:
    // Creates <temp>\verdo-e2e\<label>-<pid>-<n>, empty.
    explicit TestInstallation(const std::string& label = "case");
    // Deletes the folder and everything in it (read-only files too).
    ~TestInstallation();
    TestInstallation(const TestInstallation&) = delete;
    TestInstallation& operator=(const TestInstallation&) = delete;

    const std::string& Path() const { return path_; }
    std::string FilePath(const std::string& name) const;

    bool WriteFile(const std::string& name, const Bytes& bytes);
    bool WritePhrases(const std::string& text) { return WriteFile("verdo.ini", BytesOf(text)); }
    bool WriteSettings(const Bytes& bytes) { return WriteFile("verdo.set", bytes); }
    // Makes the file read-only. True only when the system then really refuses
    // to open it for writing; false otherwise, with what was tried in `why`.
    bool MakeReadOnly(const std::string& name, std::string& why);
    // The folder itself refuses new files (at the latest until the end of the
    // case); the same truth as MakeReadOnly.
    bool RefuseNewFiles(std::string& why);
    void AllowNewFiles();
    bool Exists(const std::string& name) const;
    // False when the file cannot be read.
    bool ReadFile(const std::string& name, Bytes& out) const;
    // The names of the files in the folder, sorted.
    std::vector<std::string> FileNames() const;

private:
    bool TakesNewFiles();
    std::string path_;
    bool refusing_ = false;
};

// The 8 bytes of verdo.set: the three colour limits, Duration, Invert,
// Reserved and VideoMode (little-endian).
Bytes SettingsBytes(uint8_t redLimit, uint8_t greenLimit, uint8_t blueLimit, uint8_t duration,
                    uint8_t invert = 0, uint8_t reserved = 0, uint16_t videoMode = 0);
