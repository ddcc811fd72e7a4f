// corvella-cli's Downloads cleaner commands: scan, trash, erase.
#include "app/cli/CommandLine.h"
#include "common/PublicUtilities.h"
#include "downloads/Controller.h"
#include "downloads/ControllerDelegate.h"
#include "downloads/EumeRoot.h"
#include "downloads/FileTree.h"

#include <QFileInfo>

#include <limits>
#include <mutex>

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

QByteArray jsonString(const QString& text)
{
    QByteArray out = "\"";
    for (const QChar character : text) {
        const char16_t unit = character.unicode();
        if (unit == u'"')
            out.append("\\\"");
        else if (unit == u'\\')
            out.append("\\\\");
        else if (unit < 0x20)
            out.append(QByteArray("\\u") + QByteArray::number(unit, 16).rightJustified(4, '0'));
        else
            out.append(QString(character).toUtf8());
    }
    return out + '"';
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
                     jsonString(QFileInfo(tree.rootPath()).fileName()).constData(),
                     jsonString(tree.rootPath()).constData(),
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
                         frame.next > 1 ? ", " : "", jsonString(node->name()).constData(),
                         jsonString(node->path()).constData(),
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

// Prints the removal run's progress and remembers its failures.
class RemovalReport : public ControllerDelegate {
public:
    void changeRemoveProgressWithPoint(int percent, const QString& path) override
    {
        std::printf("%3d%%  %s\n", percent, qUtf8Printable(path));
        std::fflush(stdout);
    }
    void removeFailuresWithCount(int count, const QString& firstReason) override
    {
        failures = count;
        reason = firstReason;
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
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        m_err << "corvella-cli: “" << path << "” does not exist" << Qt::endl;
        return 1;
    }

    const QString absolute = info.absoluteFilePath();
    const bool isFolder = info.isDir();
    auto tree = std::make_shared<FileTree>(isFolder ? absolute : info.absolutePath());
    EumeRoot scan;
    scan.eumeAllRootFileNodeWithRootArr(tree, absolute);
    scan.waitUntilDone();

    const auto lock = tree->lock();
    writeTree(*tree, options, stdout);
    std::fflush(stdout);
    return 0;
}

int CommandLine::remove(const QStringList& arguments, bool erase)
{
    if (arguments.isEmpty())
        return usage(QStringLiteral("%1 needs at least one PATH").arg(erase ? u"erase" : u"trash"));
    // Each item is a top-level node named by its absolute path, chosen whole.
    auto tree = std::make_shared<FileTree>(QString());
    int missing = 0;
    {
        const auto lock = tree->lock();
        for (const QString& argument : arguments) {
            const QFileInfo info(argument);
            if (!info.exists() && !info.isSymLink()) {
                m_err << "corvella-cli: “" << argument << "” does not exist" << Qt::endl;
                ++missing;
                continue;
            }
            const QByteArray path = QFile::encodeName(info.absoluteFilePath());
            FileNode* node = tree->mainAllocator().create(
                tree->root(), std::string_view(path.constData(), path.size()), info.isDir());
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

    const int handled = int(arguments.size()) - missing;
    const int failed = report.failures + missing;
    m_out << (erase ? "Erased " : "Moved ") << handled - report.failures << " of "
          << arguments.size() << (erase ? " items" : " items to the trash");
    if (failed > 0)
        m_out << "; " << failed << " failed"
              << (report.reason.isEmpty() ? QString() : u": " + report.reason);
    m_out << Qt::endl;
    return failed > 0 ? 1 : 0;
}
