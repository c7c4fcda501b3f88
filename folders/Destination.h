#pragma once
// What a destination is. The plug-ins never go straight into a host's plug-in folder or
// a place the user chose, but into its QuillonTools sub-folder: that sub-folder is the
// destination, and the uninstall log records exactly it, one line each. Pure text rules:
// whether a destination may be written into is for the folder rules and the disk.
#include "framework/Text.h"
#include "framework/Win32.h"

#include <string>

constexpr char kDestinationSubFolder[] = "\\QuillonTools";

// The characters a destination adds below its folder: a place that leaves no room for
// them within MAX_PATH cannot take the plug-ins.
constexpr size_t kDestinationRoom = sizeof(kDestinationSubFolder) - 1;

// The longest folder a destination can be made in (MAX_PATH less its terminator and
// the sub-folder).
constexpr size_t kMaxDestinationFolder = MAX_PATH - 1 - kDestinationRoom;

// A Photoshop-style host's plug-in folder: the Plug-Ins folder of its application
// folder, with one separator between them. Wide: the host's folder may be named
// outside the code page.
WideString HostPlugInFolder(const WideString& applicationFolder);

// The destination in a plug-in folder or a place: one trailing separator is dropped
// first, so a drive root C:\ gives C:\QuillonTools.
std::string DestinationIn(const std::string& folder, UINT codePage = CP_ACP);
WideString DestinationIn(const WideString& folder);
