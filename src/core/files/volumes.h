#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The drives of the picture picker: the places a user keeps pictures in (home, removable
// media, other disks), not the system's own mounts.
struct Volume {
    QString root;  // the folder the volume starts at
    QString label; // what the drive list shows
    bool ready = true;
};

// Whether a mounted volume is one a user would pick pictures from.
bool isUserVolume(const QString &root, const QByteArray &fileSystemType);
// Home first, then removable media, then the other disks; "/" is always there, so every
// folder lies on one of them.
QList<Volume> pickerVolumes();
// The entry of volumes whose root holds folder most closely (the deepest root).
int volumeOf(const QList<Volume> &volumes, const QString &folder);
