#pragma once

#include "core/files/help_tour.h"
#include "core/files/notebook_files.h"
#include "core/profile/profile_store.h"

// The profile's files for the rest of the program: ﾌﾟﾗｲﾍﾞｰﾄ.txt and 設定.txt. Only this
// module opens them.

Profile readProfileFile(const NotebookFiles &files);
// The same for the notebook's own profile: lines not in the layout's form are told of once,
// and the original is kept aside before the file is first written again.
Profile loadProfileFile(NotebookFiles &files);
// The nickname alone, as the splash reads it before anything else is loaded.
QString readNickname(const NotebookFiles &files);
// The profile file written whole. A value holding a line break or another control character would
// shift every later value: it is refused, by its field, before anything is written.
WriteResult writeProfileFile(NotebookFiles &files, const Profile &profile);
// The same with line 9 as the goal field's text (the point-goal save), with the same refusal.
WriteResult writeProfileFile(NotebookFiles &files, const Profile &profile, const QString &targetPointText);

// readSettings: 設定.txt into HelpTourOn (a missing file leaves the tour off).
void readSettings(HelpTour &tour, const NotebookFiles &files);
WriteResult writeSettingsFile(NotebookFiles &files, qint16 helpTourOn);
