#include "ReadVersionInfo.h"

#include <optional>

#include "VersionTranslation.h"
#include "platform/FileVersion.h"

std::int32_t ReadVersionInfo(const std::string& path, VersionInfo& info) {
    info = VersionInfo{};
    std::optional<platform::FileVersionBlock> block = platform::FileVersionBlock::Read(path);
    if (!block) return kVersionInfoIncomplete;
    const auto table = block->Value("\\VarFileInfo\\Translation");
    if (!table) return kVersionInfoIncomplete;
    const std::string key = TranslationKey(FirstTranslation(*table));
    for (const VersionInfoKey& entry : kVersionInfoKeys) {
        std::optional<std::string> text = block->Text(StringValuePath(key, entry.name));
        if (!text) return kVersionInfoIncomplete;
        info.*entry.field = std::move(*text);
    }
    return kVersionInfoComplete;
}
