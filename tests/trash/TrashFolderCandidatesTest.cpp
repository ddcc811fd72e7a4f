#include "trash/TrashFolderCandidates.h"

#include "TrashFixture.h"
#include "support/TreeSnapshot.h"
#include "trash/FreedesktopTrash.h"

#include <unistd.h>

namespace {

using Use = TrashFolderCandidates::Use;

struct CandidateCase {
    const char* name;
    QByteArrayList tree; // "NAME MODE" a folder, "NAME file", "NAME -> TARGET"; U: the user's id
    const char* listing; // the candidates as "path: usable", "path: missing" or why not
    const char* trashing = nullptr; // null: as listing
    bool madeByAnotherUser = false;
    const char* forTrashing() const { return trashing ? trashing : listing; }
};

// Plants the tree under `top` with U as `uid`; `giveAway`: each entry then belongs to another user.
void plant(const QByteArray& top, const QByteArrayList& tree, const QByteArray& uid, bool giveAway)
{
    for (QByteArray step : tree) {
        const QByteArrayList word = step.replace('U', uid).split(' ');
        const QByteArray path = top + word[0];
        const mode_t mode = word[1].toUInt(nullptr, 8);
        ASSERT_EQ(word[1] == "->" ? ::symlink(word[2].constData(), path.constData())
                  : word[1] == "file"
                      ? (writeFile(path) ? 0 : -1)
                      : ::mkdir(path.constData(), mode) + ::chmod(path.constData(), mode),
                  0)
            << step.constData();
        ASSERT_TRUE(!giveAway || ::lchown(path.constData(), 4242, 4242) == 0);
    }
}

class TrashFolderCandidatesTest : public TrashFixture,
                                  public ::testing::WithParamInterface<CandidateCase> {};

TEST_P(TrashFolderCandidatesTest, CandidatesInOrderWithWhyNot)
{
    const CandidateCase& row = GetParam();
    const QByteArray top = path({});
    const QByteArray uid = QByteArray::number(::geteuid() + (row.madeByAnotherUser ? 1 : 0));
    ASSERT_NO_FATAL_FAILURE(plant(top, row.tree, uid, false));
    for (const Use use : {Use::Listing, Use::Trashing}) {
        QByteArrayList shown;
        for (const auto& candidate : TrashFolderCandidates::forVolume(top, uid.toUInt(), use)) {
            const bool missing = candidate.state == TrashFolderCandidates::State::Missing;
            shown.append(candidate.path.mid(top.size()) + ": " +
                         (candidate.usable() ? "usable"
                          : missing          ? "missing"
                                             : candidate.problem.toUtf8().replace(top, "")));
        }
        EXPECT_EQ(shown.join("; ").replace(uid, "U"),
                  use == Use::Trashing ? row.forTrashing() : row.listing);
    }
}

class VolumeTrashFolderTest : public WithLoopVolume<TrashFixture>,
                              public ::testing::WithParamInterface<CandidateCase> {};

// On a real volume the item goes by rename into the first candidate usable for trashing (a
// missing one made); with none it stays, and nothing goes through a link or to the home trash.
TEST_P(VolumeTrashFolderTest, OnlyASafeTrashFolderIsUsed)
{
    const CandidateCase& row = GetParam();
    ASSERT_NO_FATAL_FAILURE(plant(volume({}), row.tree, "0", row.madeByAnotherUser));
    ASSERT_TRUE(writeFile(volume("item.txt"), "item"));
    const ino_t inode = inodeOf(volume("item.txt"));
    const auto elsewhere = treeSnapshot(volume("elsewhere"));
    const FreedesktopTrash::Result result = FreedesktopTrash().moveToTrash(volume("item.txt"));
    EXPECT_EQ(treeSnapshot(volume("elsewhere")), elsewhere) << "nothing went through a link";
    QByteArray trash;
    for (const QByteArray& candidate : QByteArray(row.forTrashing()).split(';')) {
        if (trash.isEmpty() && (candidate.endsWith(": usable") || candidate.endsWith(": missing")))
            trash = volume(candidate.trimmed().split(':')[0].replace('U', "0"));
    }
    if (trash.isEmpty()) {
        EXPECT_TRUE(result.error.contains(qpath("volume/.Trash"))) << result.error.toStdString();
        EXPECT_EQ(readFile(volume("item.txt")), "item");
        EXPECT_FALSE(exists(homeTrash()));
        return;
    }
    EXPECT_EQ(result.trashedPath, QFile::decodeName(trash + "/files/item.txt"))
        << result.error.toStdString();
    EXPECT_EQ(inodeOf(trash + "/files/item.txt"), inode);
    EXPECT_TRUE(readFile(trash + "/info/item.txt.trashinfo").contains("\nPath=item.txt\n"));
}

// clang-format off
const CandidateCase rows[] = {
    {"StickyShared", {".Trash 1777", ".Trash/U 700"}, ".Trash/U: usable; .Trash-U: missing"},
    {"UserFoldersLinks",
     {".Trash 1777", "elsewhere 700", ".Trash/U -> ../elsewhere", ".Trash-U -> elsewhere"},
     ".Trash/U: “.Trash/U” is a symbolic link; .Trash-U: “.Trash-U” is a symbolic link"},
    // From here to the last row also on a real volume (the others add nothing there).
    {"StickySharedOnly", {".Trash 1777"}, ".Trash/U: missing; .Trash-U: missing"},
    {"SharedWithoutStickyBit", {".Trash 777", ".Trash/U 700", ".Trash-U 700"},
     ".Trash/U: “.Trash” lacks the sticky bit; .Trash-U: usable"},
    {"SharedALink", {"elsewhere 1777", "elsewhere/U 700", ".Trash -> elsewhere"},
     ".Trash/U: “.Trash” is a symbolic link; .Trash-U: missing"},
    {"SharedUserFolderALink", {".Trash 1777", "elsewhere 700", ".Trash/U -> ../elsewhere"},
     ".Trash/U: “.Trash/U” is a symbolic link; .Trash-U: missing"},
    {"OwnOfAnotherUser", {".Trash-U 700"}, ".Trash-U: “.Trash-U” belongs to another user", nullptr,
     true},
    {"OwnOpenToTheGroup", {".Trash-U 770"}, ".Trash-U: usable",
     ".Trash-U: “.Trash-U” can be changed by other users"},
    {"BothUnusable", {".Trash 777", ".Trash-U file"},
     ".Trash/U: “.Trash” lacks the sticky bit; .Trash-U: “.Trash-U” is not a folder"},
    {"NoneYet", {}, ".Trash-U: missing"}};
// clang-format on
const auto rowName = [](const auto& info) {
    return std::string(info.param.name);
};
INSTANTIATE_TEST_SUITE_P(Volumes, TrashFolderCandidatesTest, ::testing::ValuesIn(rows), rowName);
INSTANTIATE_TEST_SUITE_P(Folders, VolumeTrashFolderTest,
                         ::testing::ValuesIn(std::begin(rows) + 2, std::end(rows) - 1), rowName);

} // namespace
