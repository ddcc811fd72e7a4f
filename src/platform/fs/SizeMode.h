#pragma once

// What a size means. Apparent: the length of a file's data (st_size), a link's own length;
// folders add nothing and every name of a hard-linked file counts. DiskUsage: the space the
// entry takes on its file system (st_blocks × 512), folders' own blocks included, and a file
// with several names counted once per measurement.
enum class SizeMode { Apparent, DiskUsage };
