// Helpers shared by the source units of page 02's run, simulation and undo.
#pragma once

#include <cstdint>
#include <string>

#include "pages/creation/FolderCreator.h"
#include "pages/creation/Vol02Engine.h"

// The topics of the page's message captions.
inline constexpr const char* kVol02Topic = "Creating Folder(s).-From a String List.";
inline constexpr const char* kVol02SimulateTopic = "Simulate Creating Folder(s).-From a String List.";
inline constexpr const char* kVol02FolderListTopic = "Creating Folder(s).-From a Folder List.";
inline constexpr const char* kVol02SimulateFolderListTopic = "Simulate Creating Folder(s).-From a Folder List.";

// The frame of page 02's run and simulation without their messages: the
// disk-space check, the structure check (`noStructureCaption`), the
// main folders, the destination shown on "Show Explorer".
RunFrame Vol02Frame(Vol02State& state, const Vol02Inputs& in, RunLog& log, const RunHooks& hooks, bool simulation,
                    const std::string& noStructureCaption);
