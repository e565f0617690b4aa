// One run of the generator: the document frame, the three tables, the
// input, the limits and the two sheet stages.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dxf/drawing.h"
#include "dxf/output.h"
#include "input/file_names.h"
#include "input/layer_definitions.h"
#include "input/profile_data.h"
#include "input/profile_data_reader.h"
#include "input/scan_reader.h"

namespace ps {

inline constexpr char kDrawingFile[] = "Tesmora.dxf";

// The most labelled levels the elevation axis may have.
inline constexpr int kMaxElevationLevels = 1000;

// Header values 3 and 4 are divisors and 8 is the step of the elevation
// axis: each must be a positive finite number.
bool usableHeader(const HeaderValues& header);

// What the run refuses in a profile data file that was read whole, in the
// order it tests them: more than 30 stations, unusable header values, more
// than 1000 labelled elevation levels (tested only with a usable header).
// The run stops at the first; each carries the line of the value concerned
// when `lines` is given.
std::vector<InputRefused> refusalsOfProfileData(const ProfileData& data, const ProfileDataLines* lines = nullptr);

// Writes the drawing of the three input files (their whole contents) to
// `drawing`, once all four files are open. Returns the exit status; what
// the run prints goes to `console`. A refused input ends the run with the
// drawing as written up to then (which the program then throws away). A
// refusal that comes from a file saved as UTF-8 says so on a second line.
// With a continuation file (a sheet of a set) the drawing starts with a
// HEADER section that declares its code page, and the sheet is drawn as
// part of its road.
int generateDrawing(std::string_view profileData, std::string_view layerDefinitions,
                    std::string_view bandRowList, OutputSink& drawing, std::string& console,
                    std::optional<std::string_view> continuation = std::nullopt);

// The drawing's layers as the layer definition file gives them.
LayerDefinitions layerDefinitionsOf(const LayerRows& rows);

// Reads the layer definition file into drawing.layers and writes the LAYER
// table. A refused file (InputRefused) leaves the table as far as it was
// read, without its ENDTAB line.
void writeLayersOfFile(Drawing& drawing, std::string_view layerFile);

// The whole run in memory: a missing input file is std::nullopt.
struct RunResult {
  int status = 0;
  std::string console;
  // What the run wrote into the new drawing, absent when it wrote nothing
  // (an input file missing). The program keeps it as Tesmora.dxf only when
  // the status is 0.
  std::optional<std::string> drawing;
};
RunResult runInMemory(const std::optional<std::string>& profileData,
                      const std::optional<std::string>& layerDefinitions,
                      const std::optional<std::string>& bandRowList,
                      const std::optional<std::string>& continuation = std::nullopt);

// One run on the files of `folder` (UTF-8; empty: the current folder):
// Tesmo.dat, GasouT.dat and temp.cd5 are read, and the continuation file
// when there is one, and Tesmora.dxf is drawn. The drawing is written into
// a new file beside Tesmora.dxf, which takes its place only when it is
// complete: a run that fails leaves Tesmora.dxf as it was (or absent) and
// no other file. Returns the exit status; what the run prints goes to
// `console`.
int runInFolder(const std::string& folder, std::string& console);

}  // namespace ps
