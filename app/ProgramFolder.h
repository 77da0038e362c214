#pragma once
// The folder that holds the program's two files, Stocks.cfg and Stocks.dat:
// the executable's own folder when the user may write there and the program
// is not the installed one (a program unpacked or built into a folder of its
// own), otherwise $XDG_DATA_HOME/qelvo (~/.local/share/qelvo by default), made
// when it is missing. An installed program (in the install's bin folder, such
// as /usr/bin from the package) never writes beside itself, even for root.

#include <functional>
#include <string>

// The folder for this process, ending in "/"; chosen once, on the first call.
const std::string& ProgramDataFolder();

// The choice itself, with everything it looks at given from outside.
struct DataFolderInputs {
    std::string programFolder; // the executable's folder, ending in "/"
    std::function<bool(const std::string&)> canWrite; // may files be made in this folder?
    std::string xdgDataHome; // $XDG_DATA_HOME, "" when unset
    std::string home; // the user's home folder
    bool installed = false; // the program folder is the install's bin folder
};

// The folder by the rule above, ending in "/". The fallback folder is made
// (with its parents, for the user only) when missing; if that fails it is
// still the answer, and saving there reports the failure.
std::string ChooseDataFolder(const DataFolderInputs& inputs);

// The inputs of this process: nuv::GetAppPath, access(2), the environment,
// and whether the executable's folder is the bin folder the build installs to.
DataFolderInputs ProcessDataFolderInputs();
