#pragma once

#include "CliContext.h"
#include "model/Catalogue.h"

#include <string>
#include <vector>

namespace vorn::cli {

int Show(CliContext& context, const std::string& file, bool json);
// The configuration sheet of a file as HTML ("-": standard output).
int Sheet(CliContext& context, const std::string& file, const std::string& output);
int Set(CliContext& context, const std::string& file, const std::vector<std::string>& assignments,
        const std::string& output);
// 0 when the files are the same, ExitDifferent when they differ.
int Diff(CliContext& context, const std::string& first, const std::string& second, bool json);
// A model by its name or product type (decimal or 0x..); refused with the closest names.
const ProductInfo& ParseModel(const std::string& text);
int New(CliContext& context, const std::string& model, const std::string& output);
int Models(bool json);
// vornctl region NAME: the window's region selection with the region given.
int ChooseRegion(CliContext& context, const std::string& name);
int Regions(CliContext& context, bool json);
int Bands(CliContext& context, bool json);

// Flushes standard output at the end of a command. A write that failed there or before (a full disk,
// a closed pipe) turns success into a file error, with a message.
int FinishOutput(int status);

} // namespace vorn::cli
