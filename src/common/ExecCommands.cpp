#include "common/ExecCommands.h"

namespace {

CommandRunner generalRunner()
{
    return CommandRunner(QStringLiteral("quillfen.plist"), CommandRunner::OldOutput::Remove);
}

CommandRunner repairRunner()
{
    return CommandRunner(QStringLiteral("LumasetRepairTemp.plist"),
                         CommandRunner::OldOutput::Overwrite);
}

CommandRunner eraserRunner()
{
    return CommandRunner(QStringLiteral("eraserVolumeTemp.plist"),
                         CommandRunner::OldOutput::Remove);
}

CommandOutcome runLine(const CommandRunner& runner, const char* commandLine)
{
    if (!commandLine)
        return {};
    return runner.runCommandLine(QByteArray(commandLine));
}

} // namespace

CommandOutcome GXExecCommand(const char* commandLine)
{
    return runLine(generalRunner(), commandLine);
}

CommandOutcome GXExecCommand(const QStringList& arguments)
{
    return generalRunner().run(arguments);
}

// The Trash clean-up shares the general runner's file and its removal of old output.
CommandOutcome CleanExecCommand(const char* commandLine)
{
    return runLine(generalRunner(), commandLine);
}

CommandOutcome CleanExecCommand(const QStringList& arguments)
{
    return generalRunner().run(arguments);
}

CommandOutcome aepairExecCommand(const char* commandLine)
{
    return runLine(repairRunner(), commandLine);
}

CommandOutcome aepairExecCommand(const QStringList& arguments)
{
    return repairRunner().run(arguments);
}

CommandOutcome eraserExecCommand(const char* commandLine)
{
    return runLine(eraserRunner(), commandLine);
}

CommandOutcome eraserExecCommand(const QStringList& arguments)
{
    return eraserRunner().run(arguments);
}
