#pragma once

#include <functional>
#include <string>
#include <vector>

namespace Quib
{

// Resolves a written report's stack: each "SSSS:OOOOOOOO module" place of a
// module listed under "Modules:" becomes the function's name, with the source
// file and line on the next line when they are known. `resolve` answers, for
// one module's file and its offsets, one function name and one "file:line"
// per offset (two lines each), as the system's address resolver prints them.
using AddressResolver = std::function<bool(const std::string& module,
                                           const std::vector<unsigned long>& offsets, std::string& output)>;
// `list` gives a module's symbols as the system's symbol lister prints them
// sorted by address ("ADDRESS TYPE NAME" lines); a place inside a function
// symbol is named by it with its distance from the start, "name+0x4".
using SymbolLister = std::function<bool(const std::string& module, std::string& output)>;
std::string ResolveReportSymbols(const std::string& report, const AddressResolver& resolve,
                                 const SymbolLister& list);
// The resolver that runs the system's address-to-line tool.
bool ResolveWithSystemTool(const std::string& module, const std::vector<unsigned long>& offsets,
                           std::string& output);
// The lister that runs the system's symbol lister.
bool ListSymbolsWithSystemTool(const std::string& module, std::string& output);
// "Exception at SSSS:OOOOOOOO" from the report's logical address.
std::string ErrorTitleOf(const std::string& report);

} // namespace Quib
