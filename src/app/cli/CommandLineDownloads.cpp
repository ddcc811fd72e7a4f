// corvella-cli's Downloads cleaner commands: scan, trash, erase.
#include "app/cli/CommandLine.h"
#include "common/PublicUtilities.h"
#include "downloads/Controller.h"
#include "downloads/ControllerDelegate.h"
#include "downloads/EumeRoot.h"
#include "downloads/FileTree.h"
#include "downloads/RemovalGuard.h"
#include "downloads/RemovalOutcome.h"
#include "platform/NativePath.h"

#include <QFileInfo>

#include <cstring>
#include <limits>
#include <mutex>
#include <sys/stat.h>

namespace {

struct ScanOptions {
    int depth = std::numeric_limits<int>::max();
    int top = std::numeric_limits<int>::max();
    bool json = false;
};

// Names may hold any byte but "/" and NUL: escape what would break a line or a terminal.
QByteArray printable(std::string_view name)
{
    QByteArray text;
    for (const unsigned char byte : name) {
        if (byte == '\\')
            text.append("\\\\");
        else if (byte < 0x20 || byte == 0x7f)
            text.append(QByteArray("\\x") + QByteArray::number(byte, 16).rightJustified(2, '0'));
        else
            text.append(char(byte));
    }
    return text;
}

// The length of the valid UTF-8 sequence at the start of bytes, or 0.
int utf8Length(std::string_view bytes)
{
    const auto byte = [&bytes](std::size_t index) {
        return static_cast<unsigned char>(bytes[index]);
    };
    const unsigned char lead = byte(0);
    const int length = lead < 0x80                    ? 1
                       : lead >= 0xC2 && lead <= 0xDF ? 2
                       : lead >= 0xE0 && lead <= 0xEF ? 3
                       : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                      : 0;
    if (length == 0 || bytes.size() < std::size_t(length))
        return 0;
    for (int index = 1; index < length; ++index) {
        if ((byte(std::size_t(index)) & 0xC0) != 0x80)
            return 0;
    }
    // Overlong forms, surrogates and code points past U+10FFFF.
    const unsigned char second = length > 1 ? byte(1) : 0;
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
        return 0;
    return length;
}

// A JSON string of a file name's bytes. A byte that is not part of valid UTF-8 becomes the lone
// surrogate U+DC00 + byte ("\udcff"), which no valid text holds, so every name stays distinct and
// decodes back to its bytes (as Python's os.fsencode does).
QByteArray jsonString(std::string_view bytes)
{
    QByteArray out = "\"";
    while (!bytes.empty()) {
        const int length = utf8Length(bytes);
        const unsigned char byte = static_cast<unsigned char>(bytes.front());
        if (length == 0) {
            out.append("\\udc" + QByteArray::number(byte, 16).rightJustified(2, '0'));
        } else if (byte == '"' || byte == '\\') {
            out.append('\\').append(char(byte));
        } else if (byte < 0x20 || byte == 0x7f) {
            out.append("\\u" + QByteArray::number(byte, 16).rightJustified(4, '0'));
        } else {
            out.append(bytes.data(), length);
        }
        bytes.remove_prefix(std::size_t(std::max(length, 1)));
    }
    return out + '"';
}

QByteArray jsonString(const QByteArray& bytes)
{
    return jsonString(std::string_view(bytes.constData(), std::size_t(bytes.size())));
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
                     "{\"name\": %s, \"path\": %s, \"size\": %llu, \"isDirectory\": true, "
                     "\"children\": [",
                     jsonString(root.mid(root.lastIndexOf('/') + 1)).constData(),
                     jsonString(root).constData(),
                     static_cast<unsigned long long>(tree.totalSize()));
    } else {
        std::fprintf(out, "%s\t%llu\t0\t%s\n",
                     qPrintable(PublicUtilities::longlongDiskSize(std::int64_t(tree.totalSize()))),
                     static_cast<unsigned long long>(tree.totalSize()),
                     printable(std::string_view(root.constData(), root.size())).constData());
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
                         frame.next > 1 ? ", " : "", jsonString(node->nameBytes()).constData(),
                         jsonString(node->nativePath()).constData(),
                         static_cast<unsigned long long>(node->size()),
                         node->isDirectory() ? "true" : "false");
        } else {
            std::fprintf(out, "%s\t%llu\t%d\t%s%s\n",
                         qPrintable(PublicUtilities::longlongDiskSize(std::int64_t(node->size()))),
                         static_cast<unsigned long long>(node->size()), depth,
                         QByteArray(2 * (depth - 1), ' ').constData(),
                         printable(node->nameBytes()).constData());
        }
        stack.push_back({node, depth});
    }
}

// Prints the removal run's progress and its failures, and remembers how many there were.
class RemovalReport : public ControllerDelegate {
public:
    void changeRemoveProgressWithPoint(int percent, const QString& path) override
    {
        std::printf("%3d%%  %s\n", percent, qUtf8Printable(path));
        std::fflush(stdout);
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
};

} // namespace

int CommandLine::scan(const QStringList& arguments)
{
    ScanOptions options;
    QString path;
    for (qsizetype index = 0; index < arguments.size(); ++index) {
        const QString& argument = arguments.at(index);
        bool ok = true;
        if (argument == u"--json") {
            options.json = true;
        } else if (argument == u"--depth" || argument == u"--top") {
            const int value = arguments.value(++index).toInt(&ok);
            if (!ok || value < 0)
                return usage(QStringLiteral("%1 needs a number of 0 or more").arg(argument));
            (argument == u"--depth" ? options.depth : options.top) = value;
        } else if (path.isEmpty() && !argument.startsWith(u"--")) {
            path = argument;
        } else {
            return usage(QStringLiteral("scan takes one PATH and --depth N, --top N, --json"));
        }
    }
    if (path.isEmpty())
        return usage(QStringLiteral("scan needs a PATH"));
    // As the kernel resolves it: "link/.." is the folder holding link's target.
    const QString absolute = QFile::decodeName(NativePath::absolute(QFile::encodeName(path)));
    const QFileInfo info(absolute);
    if (!info.exists() && !info.isSymLink()) {
        m_err << "corvella-cli: “" << path << "” does not exist" << Qt::endl;
        return 1;
    }

    const bool isFolder = info.isDir();
    auto tree = std::make_shared<FileTree>(isFolder ? absolute : info.absolutePath());
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

int CommandLine::remove(const QList<QByteArray>& paths, bool erase)
{
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
    RemovalReport report;
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
