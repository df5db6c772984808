#pragma once

#include "image/Chipfunctions.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"

#include <string>

namespace tarnwick {

// The image-file entries of the main window's "File" menu. Errors are not caught here: each
// ends its command and reaches the window's error guard.
class FileMenuCommands {
public:
    FileMenuCommands(Chipfunctions& chip, FileDialogs& dialogs, MessageBoxes& boxes)
        : chip_(chip), dialogs_(dialogs), boxes_(boxes)
    {
    }

    void Open1Click();            // "Open all..."
    void Opentoselected1Click();  // "Open selected..."
    void Saveas1Click();          // "Save all as..."
    void Saveselectedas1Click();  // "Save selected as..."
    void Save1Click();            // "Save all"
    void Saveselected1Click();    // "Save selected"

    // The name "Save all" and "Save selected" write to; set by every save that showed its
    // dialog, never by an open, never cleared.
    [[nodiscard]] const std::string& CurrentFileName() const { return currentFileName_; }

private:
    void OpenChosen(bool selected);
    void SaveAsChosen(bool selected);
    void SaveAgain(bool selected);

    Chipfunctions& chip_;
    FileDialogs& dialogs_;
    MessageBoxes& boxes_;
    std::string currentFileName_;
};

}  // namespace tarnwick
