#include "model/editor_options.h"

#include <algorithm>
#include <cctype>

namespace quelvar {

namespace {

struct Flag {
    const char* key;
    bool EditorOptions::*field;
};

constexpr Flag kFlags[] = {
    {"readFirst", &EditorOptions::readFirst},
    {"backupDownloads", &EditorOptions::backupDownloads},
};

std::string recentKey(std::size_t index)
{
    return "file" + std::to_string(index + 1);
}

}  // namespace

EditorOptions readEditorOptions(std::span<const IniFile> files)
{
    EditorOptions options;
    for (const IniFile& file : files) {
        for (const Flag& flag : kFlags)
            if (const auto value = file.integer("Transfer", flag.key); value == 0 || value == 1)
                options.*flag.field = *value == 1;
        std::vector<std::string> recent;
        for (std::size_t i = 0; i < kRecentFileCount; ++i)
            if (auto path = file.value("Recent", recentKey(i)); path && !path->empty())
                recent.push_back(std::move(*path));
        if (!recent.empty()) options.recentFiles = std::move(recent);
    }
    return options;
}

void writeEditorOptions(IniFile& file, const EditorOptions& options, const EditorOptions& read)
{
    for (const Flag& flag : kFlags)
        if (options.*flag.field != read.*flag.field || file.value("Transfer", flag.key))
            file.setValue("Transfer", flag.key, options.*flag.field ? "1" : "0");
    for (std::size_t i = 0; i < kRecentFileCount; ++i) {
        const bool listed = i < options.recentFiles.size();
        if (listed && options.recentFiles != read.recentFiles)
            file.setValue("Recent", recentKey(i), options.recentFiles[i]);
        else if (file.value("Recent", recentKey(i)))
            file.setValue("Recent", recentKey(i), listed ? options.recentFiles[i] : "");
    }
}

void addRecentFile(std::vector<std::string>& recent, const std::string& path)
{
    // The settings file ends a value at ";" and a line, and trims its ends.
    if (path.find_first_of(";\r\n") != std::string::npos || path.empty() ||
        std::isspace(static_cast<unsigned char>(path.front())) ||
        std::isspace(static_cast<unsigned char>(path.back())))
        return;
    std::erase(recent, path);
    recent.insert(recent.begin(), path);
    if (recent.size() > kRecentFileCount) recent.resize(kRecentFileCount);
}

}  // namespace quelvar
