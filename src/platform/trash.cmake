# Reading, restoring and purging the freedesktop trash of every volume.
