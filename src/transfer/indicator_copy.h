#pragma once
// The indicator's own setup, read before an upload or for a comparison: kept in the
// backups folder, and set beside the editor's setup to see what differs.
//
//   const Setup theirs = indicatorSetup(readImage, mine);
//   if (BackupResult kept = keepIndicatorImage(readImage, port, "before uploading a.sf");
//       !kept.ok()) stop(kept.reason);
//   rows = text::diffSetups(theirs, mine);

#include "model/backups.h"
#include "model/setup.h"

#include <string>

namespace quelvar {

class ComPort;

// The indicator holds only the image: as a setup it takes the texts of `beside`, so
// that the two differ only where the indicator and the editor do.
Setup indicatorSetup(const SetupImage& image, const Setup& beside);

// "COM1": the port's name in backup names and descriptions.
std::string portName(const ComPort& port);

// Writes the image as a backup in backupFolder(), its description "Indicator on
// COM1, " followed by `what` ("read before uploading line1.sf").
BackupResult keepIndicatorImage(const SetupImage& image, const std::string& port,
                                const std::string& what);

}  // namespace quelvar
