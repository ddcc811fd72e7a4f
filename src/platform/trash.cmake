# Reading, restoring and purging the freedesktop trash of every volume.
target_sources(corvella-core PRIVATE
    TrashDirectory.cpp TrashDirectory.h
    TrashFolderCandidates.cpp TrashFolderCandidates.h
    TrashItem.cpp TrashItem.h
    TrashRestorer.cpp TrashRestorer.h
)
