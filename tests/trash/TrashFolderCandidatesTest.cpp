#include "trash/TrashFolderCandidates.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

using Use = TrashFolderCandidates::Use;

struct CandidateCase {
    const char* name;
    QByteArrayList tree; // "NAME MODE" a folder, "NAME -> TARGET" a link; U is the user's id
    const char* listing; // the candidates as "path: usable", "path: missing" or why not
    const char* trashing = nullptr; // null: as listing
    bool madeByAnotherUser = false;
};

class TrashFolderCandidatesTest : public ::testing::TestWithParam<CandidateCase> {};

TEST_P(TrashFolderCandidatesTest, CandidatesInOrderWithWhyNot)
{
    const QTemporaryDir root;
    const QByteArray top = QFile::encodeName(root.path()) + '/';
    const QByteArray uid = QByteArray::number(::geteuid() + (GetParam().madeByAnotherUser ? 1 : 0));
    for (QByteArray step : GetParam().tree) {
        const QByteArrayList word = step.replace('U', uid).split(' ');
        const QByteArray path = top + word[0];
        ASSERT_EQ(word[1] == "->" ? ::symlink(word[2].constData(), path.constData())
                                  : ::mkdir(path.constData(), word[1].toUInt(nullptr, 8)) +
                                        ::chmod(path.constData(), word[1].toUInt(nullptr, 8)),
                  0);
    }
    for (const Use use : {Use::Listing, Use::Trashing}) {
        QByteArrayList shown;
        for (const auto& candidate : TrashFolderCandidates::forVolume(top, uid.toUInt(), use)) {
            const bool missing = candidate.state == TrashFolderCandidates::State::Missing;
            shown.append(candidate.path.mid(top.size()) + ": " +
                         (candidate.usable() ? "usable"
                          : missing          ? "missing"
                                             : candidate.problem.toUtf8().replace(top, "")));
        }
        const CandidateCase& row = GetParam();
        EXPECT_EQ(shown.join("; ").replace(uid, "U"),
                  use == Use::Trashing && row.trashing ? row.trashing : row.listing);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Volumes, TrashFolderCandidatesTest, ::testing::Values(
    CandidateCase{"StickyShared", {".Trash 1777", ".Trash/U 700"}, ".Trash/U: usable; .Trash-U: missing"},
    CandidateCase{"SharedWithoutStickyBit", {".Trash 777", ".Trash/U 700", ".Trash-U 700"},
                  ".Trash/U: “.Trash” lacks the sticky bit; .Trash-U: usable"},
    CandidateCase{"SharedALink", {"elsewhere 1777", "elsewhere/U 700", ".Trash -> elsewhere"},
                  ".Trash/U: “.Trash” is a symbolic link; .Trash-U: missing"},
    CandidateCase{"UserFoldersLinks", {".Trash 1777", "elsewhere 700", ".Trash/U -> ../elsewhere", ".Trash-U -> elsewhere"},
                  ".Trash/U: “.Trash/U” is a symbolic link; .Trash-U: “.Trash-U” is a symbolic link"},
    CandidateCase{"OwnOfAnotherUser", {".Trash-U 700"}, ".Trash-U: “.Trash-U” belongs to another user", nullptr, true},
    CandidateCase{"OwnOpenToTheGroup", {".Trash-U 770"}, ".Trash-U: usable", ".Trash-U: “.Trash-U” can be changed by other users"},
    CandidateCase{"NoneYet", {}, ".Trash-U: missing"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

} // namespace
