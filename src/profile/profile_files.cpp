#include "profile/profile_files.h"

#include "common/cp932.h"

Profile readProfileFile(const NotebookFiles &files)
{
    return parseProfile(cp932::decode(files.read(profileFileName())));
}

QString readNickname(const NotebookFiles &files)
{
    return parseNickname(cp932::decode(files.read(profileFileName())));
}

WriteResult writeProfileFile(NotebookFiles &files, const Profile &profile)
{
    return files.rewrite(profileFileName(), profileText(profile));
}

WriteResult writeProfileFile(NotebookFiles &files, const Profile &profile, const QString &targetPointText)
{
    return files.rewrite(profileFileName(), profileText(profile, targetPointText));
}

void SETTINGS_READ(HelpTour &tour, const NotebookFiles &files)
{
    tour.helpTourOn = parseSettings(cp932::decode(files.read(settingsFileName())));
}

WriteResult writeSettingsFile(NotebookFiles &files, qint16 helpTourOn)
{
    return files.rewrite(settingsFileName(), settingsFileText(helpTourOn));
}
