#pragma once
// Folders and files that the checks' tests make on the machine and take away again.
#include <string>
#include <vector>

namespace checktest {

// A new empty folder under the temporary folder, named after `name` and this process; it is
// removed with all it holds, whatever their attributes, when the object goes.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return path_; }
    // The path of `relative` inside the folder.
    std::string operator/(const std::string& relative) const { return path_ + "\\" + relative; }

private:
    std::string path_;
};

// Creates whichever folders of `path` are missing, and removes exactly those, innermost first,
// when the object goes. Folders that were there before are left alone.
class CreatedFolders {
public:
    explicit CreatedFolders(const std::string& path);
    ~CreatedFolders();
    CreatedFolders(const CreatedFolders&) = delete;
    CreatedFolders& operator=(const CreatedFolders&) = delete;

    bool createdAny() const { return !created_.empty(); }

private:
    std::vector<std::string> created_;
};

// Writes a small file; throws when it cannot.
void WriteFile(const std::string& path, const std::string& contents = "x");

// Sets the file's attributes; false when the file system did not keep them.
bool SetAttributes(const std::string& path, unsigned long attributes);

// Removes a file or a whole folder tree, clearing attributes that would prevent it.
void RemoveTree(const std::string& path);

}  // namespace checktest
