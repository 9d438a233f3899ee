#include "settings_file.h"

#include "run_directory.h"

namespace tamsel {

SettingsFile SettingsFile::load(const RunDirectory &runDir)
{
    return SettingsFile(IniFile::load(runDir.settingsFile()));
}

} // namespace tamsel
