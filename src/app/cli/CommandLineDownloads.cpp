// corvella-cli's Downloads cleaner commands: scan, trash, erase.
#include "app/cli/CommandLine.h"
#include "app/cli/CommandLineArguments.h"
#include "app/cli/CommandLineText.h"
#include "common/PublicUtilities.h"
#include "common/SizeModeSetting.h"
#include "downloads/Controller.h"
#include "downloads/ControllerDelegate.h"
#include "downloads/EumeRoot.h"
#include "downloads/FileTree.h"
#include "downloads/RemovalGuard.h"
#include "downloads/RemovalOutcome.h"
#include "platform/fs/NativePath.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstring>
#include <limits>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct ScanOptions {
    int depth = std::numeric_limits<int>::max();
    int top = std::numeric_limits<int>::max();
    bool json = false;
};

QByteArrayView view(std::string_view bytes)
{
    return {bytes.data(), qsizetype(bytes.size())};
}

QByteArray jsonString(QByteArrayView bytes)
{
    return CommandLineText::jsonString(bytes);
}

QByteArray printable(QByteArrayView bytes)
{
    return CommandLineText::printable(bytes);
}

// Writes the tree depth first without recursion. The tree's lock must be held.
void writeTree(FileTree& tree, const ScanOptions& options, FILE* out)
{
    struct Frame {
        FileNode* node;
        int depth;
        std::size_t next = 0;
    };
    const auto limit = [&options](FileNode* node) {
        return std::min<std::size_t>(node->children().size(), std::size_t(options.top));
    };
    const QByteArray root = QFile::encodeName(tree.rootPath());
    if (options.json) {
        std::fprintf(out,
                     "{\"name\": %s, \"path\": %s, \"sizeMode\": \"%s\", \"size\": %llu, "
                     "\"isDirectory\": true, \"children\": [",
                     jsonString(root.mid(root.lastIndexOf('/') + 1)).constData(),
                     jsonString(root).constData(),
                     qPrintable(SizeModeSetting::key(tree.sizeMode())),
                     static_cast<unsigned long long>(tree.totalSize()));
    } else {
        // The total says which size it is; the entries below are the same kind.
        std::fprintf(out, "%s\t%llu\t0\t%s\n",
                     qUtf8Printable(
                         SizeModeSetting::figure(std::int64_t(tree.totalSize()), tree.sizeMode())),
                     static_cast<unsigned long long>(tree.totalSize()),
                     printable(root).constData());
    }
    std::vector<Frame> stack{{tree.root(), 0}};
    while (!stack.empty()) {
        Frame& frame = stack.back();
        const bool descend = frame.depth < options.depth;
        if (!descend || frame.next >= limit(frame.node)) {
            if (options.json)
                std::fputs(frame.depth == 0 ? "]}\n" : "]}", out);
            stack.pop_back();
            continue;
        }
        FileNode* node = frame.node->children()[frame.next++];
        const int depth = frame.depth + 1;
        if (options.json) {
            std::fprintf(out,
                         "%s{\"name\": %s, \"path\": %s, \"size\": %llu, \"isDirectory\": %s, "
                         "\"children\": [",
                         frame.next > 1 ? ", " : "",
                         jsonString(view(node->nameBytes())).constData(),
                         jsonString(node->nativePath()).constData(),
                         static_cast<unsigned long long>(node->size()),
                         node->isDirectory() ? "true" : "false");
        } else {
            std::fprintf(out, "%s\t%llu\t%d\t%s%s\n",
                         qPrintable(PublicUtilities::longlongDiskSize(std::int64_t(node->size()))),
                         static_cast<unsigned long long>(node->size()), depth,
                         QByteArray(2 * (depth - 1), ' ').constData(),
                         printable(view(node->nameBytes())).constData());
        }
        stack.push_back({node, depth});
    }
}

// Prints the removal run's progress (on standard error, when wanted) and its failures, and
// remembers how many there were.
class RemovalReport : public ControllerDelegate {
public:
    explicit RemovalReport(bool showProgress) : m_showProgress(showProgress) {}
    void changeRemoveProgressWithPoint(int percent, const QString& path) override
    {
        if (!m_showProgress)
            return;
        std::fprintf(stderr, "%3d%%  %s\n", percent,
                     CommandLineText::printableText(path).toUtf8().constData());
        std::fflush(stderr);
    }
    void removeFinishedWithOutcome(const RemovalOutcome& outcome) override
    {
        for (const RemovalOutcome::Failure& failure : outcome.failures)
            std::fprintf(stderr, "corvella-cli: %s\n", qUtf8Printable(failure.reason));
        failures = int(outcome.failures.size());
        if (failures > 0)
            reason = outcome.failures.front().reason;
    }
    int failures = 0;
    QString reason;

private:
    bool m_showProgress;
};

} // namespace

int CommandLine::scan(const CommandLineArguments& arguments)
{
    ScanOptions options;
    options.json = arguments.json();
    for (const char* name : {"depth", "top"}) {
        if (!arguments.isSet(name))
            continue;
        const std::optional<qint64> value =
            CommandLineText::decimal(arguments.value(name), std::numeric_limits<int>::max());
        if (!value)
            return usage(
                QStringLiteral("--%1 needs a number of 0 or more").arg(QLatin1StringView(name)));
        (qstrcmp(name, "depth") == 0 ? options.depth : options.top) = int(*value);
    }
    if (arguments.isSet("apparent") && arguments.isSet("disk-usage"))
        return usage(QCoreApplication::translate("CommandLine",
                                                 "choose one of --apparent and --disk-usage"));
    const SizeMode sizeMode =
        arguments.isSet("disk-usage") ? SizeMode::DiskUsage : SizeMode::Apparent;
    if (arguments.operands().size() > 1)
        return usage(QStringLiteral("scan takes one PATH and --depth N, --top N, --json"));
    if (arguments.operands().isEmpty())
        return usage(QStringLiteral("scan needs a PATH"));
    const QByteArray pathBytes = arguments.operandBytes().first();
    const QString path = QFile::decodeName(pathBytes);
    // As the kernel resolves it: "link/.." is the folder holding link's target.
    const QString absolute = QFile::decodeName(NativePath::absolute(pathBytes));
    const QFileInfo info(absolute);
    if (!info.exists() && !info.isSymLink()) {
        m_err << "corvella-cli: “" << path << "” does not exist" << Qt::endl;
        return 1;
    }

    const bool isFolder = info.isDir();
    auto tree = std::make_shared<FileTree>(isFolder ? absolute : info.absolutePath(), sizeMode);
    EumeRoot scan;
    scan.eumeAllRootFileNodeWithRootArr(tree, absolute);
    scan.waitUntilDone();

    const auto lock = tree->lock();
    writeTree(*tree, options, stdout);
    std::fflush(stdout);
    // Folders the scan could not open are counted as empty above: name each one.
    std::vector<FileNode*> pending{tree->root()};
    while (!pending.empty()) {
        FileNode* node = pending.back();
        pending.pop_back();
        if (node->openError() != 0) {
            m_err << "corvella-cli: cannot read “" << node->path()
                  << "”: " << QString::fromLocal8Bit(std::strerror(node->openError()))
                  << "; its size is unknown" << Qt::endl;
        }
        pending.insert(pending.end(), node->children().begin(), node->children().end());
    }
    return 0;
}

int CommandLine::trash(const CommandLineArguments& arguments)
{
    return remove(arguments, false);
}

int CommandLine::erase(const CommandLineArguments& arguments)
{
    return remove(arguments, true);
}

int CommandLine::remove(const CommandLineArguments& arguments, bool erase)
{
    const QList<QByteArray> paths = arguments.operandBytes();
    const char* const verb = erase ? "erase" : "trash";
    if (paths.isEmpty())
        return usage(QStringLiteral("%1 needs at least one PATH").arg(QLatin1StringView(verb)));
    // Every path is checked before anything is removed: one refused path stops the whole command.
    bool refused = false;
    for (const QByteArray& path : paths) {
        if (const QString reason = RemovalGuard::refusal(path); !reason.isEmpty()) {
            m_err << "corvella-cli: refusing to " << verb << " “" << QFile::decodeName(path)
                  << "”: " << reason << Qt::endl;
            refused = true;
        }
    }
    if (refused) {
        m_err << "corvella-cli: nothing was removed" << Qt::endl;
        return 1;
    }

    // Each item is a top-level node named by its absolute path, chosen whole.
    auto tree = std::make_shared<FileTree>(QString());
    tree->setListsContents(false);
    int missing = 0;
    {
        const auto lock = tree->lock();
        for (const QByteArray& argument : paths) {
            struct stat status {};
            if (::lstat(argument.constData(), &status) != 0) {
                m_err << "corvella-cli: “" << QFile::decodeName(argument) << "” does not exist"
                      << Qt::endl;
                ++missing;
                continue;
            }
            const QByteArray path = NativePath::absolute(argument);
            FileNode* node = tree->mainAllocator().create(
                tree->root(), std::string_view(path.constData(), path.size()),
                S_ISDIR(status.st_mode));
            tree->attach(node);
        }
    }
    RemovalReport report(!arguments.isSet("quiet") && ::isatty(STDERR_FILENO) == 1);
    Controller controller;
    controller.setADelegate(&report);
    controller.setRootArr(tree);
    if (erase)
        controller.deleteFilesWithDic();
    else
        controller.moveFileToTarshWithDic();
    controller.waitForRemoval();

    const int handled = int(paths.size()) - missing;
    const int failed = report.failures + missing;
    m_out << (erase ? "Erased " : "Moved ") << handled - report.failures << " of " << paths.size()
          << (erase ? " items" : " items to the trash");
    if (failed > 0)
        m_out << "; " << failed << " failed"
              << (report.reason.isEmpty() ? QString() : u": " + report.reason);
    m_out << Qt::endl;
    return failed > 0 ? 1 : 0;
}
