#pragma once

#include "common/CommandRunner.h"

#include <QStringList>

// The four command runners. Each sends the command's standard output into its own file of the
// user's private output folder (PrivateRuntimeFolder::path()) and answers the outcome, whose
// outputPath is the file to read:
//
//   GXExecCommand       "quillfen.plist"           old output removed first
//   CleanExecCommand    "quillfen.plist"           old output removed first
//   aepairExecCommand   "LumasetRepairTemp.plist"  old output overwritten
//   eraserExecCommand   "eraserVolumeTemp.plist"   old output removed first
//
// GXExecCommand and CleanExecCommand share one file: overlapping runs overwrite each other.
//
// The command-line form runs through /bin/sh -c; a null or empty line runs nothing and answers
// an empty outcome. A line that, formatted as "<line> > <output path>", would not fit 2048
// bytes with its terminator is refused and nothing runs. Quote user data with
// CommandRunner::shellQuote().
// The argument-vector form runs arguments[0] without any shell; an empty list runs nothing.
//
// All block the calling thread until the command ends.
CommandOutcome GXExecCommand(const char* commandLine);
CommandOutcome GXExecCommand(const QStringList& arguments);

CommandOutcome CleanExecCommand(const char* commandLine);
CommandOutcome CleanExecCommand(const QStringList& arguments);

CommandOutcome aepairExecCommand(const char* commandLine);
CommandOutcome aepairExecCommand(const QStringList& arguments);

CommandOutcome eraserExecCommand(const char* commandLine);
CommandOutcome eraserExecCommand(const QStringList& arguments);
