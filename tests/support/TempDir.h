#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A fresh folder for one test, removed with everything in it afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

    void write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
    void write(const std::string& name, const std::string& text) const;
    std::vector<std::uint8_t> read(const std::string& name) const;
    bool exists(const std::string& name) const;
    // Names of the entries in the folder, sorted.
    std::vector<std::string> entries() const;

private:
    std::string path_;
};
