#include "ui/FileMenuCommands.h"

namespace tarnwick {
namespace {

// Saving again names no file: the operator is only reminded that one will be replaced.
[[nodiscard]] MessageBoxRequest OverwriteConfirmation()
{
    return {.owner = BoxOwner::MainWindow,
            .caption = "",
            .text = "Текущий файл будет перезаписан, продолжить?",
            .buttons = BoxButtons::OkCancel,
            .icon = BoxIcon::Question};
}

}  // namespace

void FileMenuCommands::Open1Click() { OpenChosen(false); }

void FileMenuCommands::Opentoselected1Click() { OpenChosen(true); }

void FileMenuCommands::Saveas1Click() { SaveAsChosen(false); }

void FileMenuCommands::Saveselectedas1Click() { SaveAsChosen(true); }

void FileMenuCommands::Save1Click() { SaveAgain(false); }

void FileMenuCommands::Saveselected1Click() { SaveAgain(true); }

void FileMenuCommands::OpenChosen(bool selected)
{
    if (const auto name = dialogs_.ChooseFileToOpen())
        chip_.LoadImageFile(*name, selected);
}

void FileMenuCommands::SaveAsChosen(bool selected)
{
    const auto name = dialogs_.ChooseFileToSave();
    if (!name)
        return;
    // Kept even when the save fails, so the next "Save all" offers the name just chosen.
    currentFileName_ = *name;
    chip_.SaveImageFile(currentFileName_, selected);
}

void FileMenuCommands::SaveAgain(bool selected)
{
    if (currentFileName_.empty()) {
        SaveAsChosen(selected);
        return;
    }
    if (boxes_.Show(OverwriteConfirmation()) != BoxAnswer::Ok)
        return;
    chip_.SaveImageFile(currentFileName_, selected);
}

}  // namespace tarnwick
