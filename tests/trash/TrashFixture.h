#pragma once

#include "support/Files.h"
#include "support/LoopVolume.h"
#include "support/ScopedEnvironmentVariable.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

// A private temporary folder for a trash case, reached by its canonical bytes (names need not be
// UTF-8); HOME is the folder and the home trash is "data/Trash" in it.
class TrashFixture : public ::testing::Test {
protected:
    QByteArray path(const QByteArray& relative) const { return m_top + '/' + relative; }
    QString qpath(const QByteArray& relative) const { return QFile::decodeName(path(relative)); }
    QByteArray homeTrash() const { return path("data/Trash"); }

    QTemporaryDir m_root{QDir::tempPath() + QStringLiteral("/corvella-trash-XXXXXX")};
    QByteArray m_top = QFile::encodeName(QFileInfo(m_root.path()).canonicalFilePath());
    ScopedEnvironmentVariable m_home{"HOME", m_top};
    ScopedEnvironmentVariable m_dataHome{"XDG_DATA_HOME", QByteArray(m_top + "/data")};
};

// Base with a fresh ext4 loop volume mounted on path("volume") for each case; skips where none
// can be mounted (it needs root).
template <typename Base> class WithLoopVolume : public Base {
protected:
    void SetUp() override
    {
        Base::SetUp();
        if (const QString why = m_volume.mount(this->qpath("volume.img"), this->qpath("volume"));
            !why.isEmpty())
            GTEST_SKIP() << why.toStdString();
    }
    void TearDown() override { EXPECT_TRUE(m_volume.unmount()) << "busy; detached lazily"; }
    QByteArray volume(const QByteArray& relative) const { return this->path("volume/" + relative); }

    LoopVolume m_volume;
};
