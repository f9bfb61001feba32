#pragma once
// The one setup the editor keeps in memory, with its reference copy and the
// current file name. There is no changed flag: a setup counts as changed when any
// block differs from the reference copy taken at the last load, save or reset.
//
// How the editor's flows sit on it (messages from setup_file.h, shown with the
// result's reason as detail):
//
//   Open:  if (doc.IsSetupChanged(memoText)) ask "Current file has changed. Save file?";
//          auto r = doc.readFile(chosenPath);     // sets the current file name first
//          if (!r.complete()) show(setupReadMessage(r, doc.fileName()), r.reason);
//          memo := doc.setup().description;
//   Save:  doc.setup().description = memoText;
//          auto w = doc.writeFile(chosenPath);    // sets the current file name first
//          if (!w.ok()) show(setupWriteMessage(w, doc.fileName()), w.reason);
//   Reset / start-up: doc.resetToFactory();

#include "model/setup.h"
#include "model/setup_file.h"

#include <string>
#include <string_view>
#include <utility>

namespace quelvar {

class SetupDocument {
public:
    // Starts in the factory state, unchanged, with no current file name.
    SetupDocument();

    Setup& setup() { return m_setup; }
    const Setup& setup() const { return m_setup; }
    const Setup& reference() const { return m_reference; }

    // The path last chosen in the open or save dialog; empty at start. It stays
    // set when the open or write then fails.
    const std::string& fileName() const { return m_fileName; }
    void setFileName(std::string name) { m_fileName = std::move(name); }

    // The reference copy := the four blocks.
    void TakeReferenceCopy();

    // True when any block differs from the reference copy. The caller first puts
    // the description memo's text into setup().description, or passes it here.
    bool IsSetupChanged() const;
    bool IsSetupChanged(std::string_view memoText);

    // Empties the description and both text stores.
    void ClearApplicationText();

    // The factory setup: image reset to defaults, texts cleared, reference copy
    // taken (start-up).
    void resetToFactory();
    // Reset to Defaults: the factory setup. With a current file name the reference
    // copy stays that file's, so the factory setup counts as a change to the file
    // (closing asks to save it); with none it counts as unchanged.
    void resetToDefaults();

    // Sets the current file name and reads the file. A file that does not open
    // changes nothing else. Otherwise the reference copy is taken, and when fewer
    // than four blocks were read the setup becomes the factory state (which then
    // counts as changed, so the user is asked before it is lost).
    SetupReadResult readFile(const std::string& path);

    // The setup read from `path` some other way (a setup text): it becomes the
    // current setup and file, with its reference copy.
    void adopt(Setup setup, std::string path);

    // Sets the current file name, seals the setup (description cut to 511
    // characters, check bytes stored) and writes it atomically. Only a successful
    // write takes the reference copy: after a failed one the setup still counts as
    // changed, so closing the editor still asks to save it.
    FileWriteResult writeFile(const std::string& path);

private:
    Setup m_setup;
    Setup m_reference;
    std::string m_fileName;
};

}  // namespace quelvar
