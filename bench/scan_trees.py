"""Synthetic folder trees for bench/scan, built from a fixed seed so that every run scans the same
thing, and cached under the trees folder: `<name>/` holds the tree, `<name>.json` what it holds.

Every file is sparse (created at its size with ftruncate, no data blocks), so trees of tens of
gigabytes of apparent size cost only inodes. The builder keeps the plan of the folders and sums,
never a list of files, and works relative to open folder descriptors, so a chain deeper than
PATH_MAX is no harder to build than a flat folder. `remove()` is the only way the benchmark
deletes anything."""
import json, os, random, stat, time

VERSION = 2
SEED = 20240607
OPEN_FOLDER = os.O_RDONLY | os.O_DIRECTORY | os.O_NOFOLLOW | os.O_CLOEXEC
NEW_FILE = os.O_WRONLY | os.O_CREAT | os.O_EXCL | os.O_NOFOLLOW | os.O_CLOEXEC
LOCKED = b"locked (no access)"

TREES = {
    "a": "200,000 files in one folder",
    "b": "300,000 files in 20,000 folders, depths 1-12, hidden files, links to files and folders, "
         "a link loop, an unreadable folder, odd names",
    "c": "a chain 5,000 folders deep",
    "d": "1,000,000 entries shaped like b",
    "e": "a top level of 20,000 small folders (1-4 files each) beside 3,000 loose files",
    "f": "a Downloads mix: installers, archives, unpacked source trees, photo albums, documents",
    "h": "a whole home of 1,000,000 entries: caches of many tiny files with data, source trees, "
         "sparse documents, a flatpak-like repository checked out twice by hard links, sparse "
         "virtual-machine images, a few big videos, a chain 400 folders deep, links",
}
STEMS = ["report", "IMG", "track", "notes", "data", "index", "libfoo", "build", "cache", "invoice",
         "Übersicht", "café", "写真", "Привет", "draft copy", "backup 2023", "thumbnail", "main"]
EXTENSIONS = [".txt", ".jpg", ".png", ".mp3", ".pdf", ".so", ".o", ".json", ".tar.gz", "", ".cpp"]
ODD_NAMES = [b"with space.txt", b" leading space", b"trailing space ", b"new\nline", b"\n",
             b"tab\there", b"bad-utf8-\xff\xfe.bin", b"latin1-caf\xe9", b"\xc3(", b"\x01control",
             b"Fotos \xc3\xbcber M\xc3\xbcnchen", b"\xf0\x9f\x93\x81 folder-looking file", b"-rf",
             b"--depth 0", b"*", b"?", b"back\\slash", b"'quote\"", b"x" * 255,
             "é".encode() * 127 + b"x", b"%2F.trashinfo", b".hidden file"]
ODD_FOLDER_NAMES = [b"new\nline folder", b"bad-\xff-folder", b"y" * 255, b" spaced folder "]


class Counts:
    """What a scan can see of a tree, and what the unreadable folder hides."""

    def __init__(self):
        self.files = self.folders = self.links = self.name_bytes = 0
        self.file_bytes = self.link_bytes = self.folder_bytes = 0
        self.hidden_entries = self.hidden_bytes = 0

    def add(self, kind, name, size):
        setattr(self, kind + "s", getattr(self, kind + "s") + 1)
        setattr(self, kind + "_bytes", getattr(self, kind + "_bytes") + size)
        self.name_bytes += len(name)


def _name(rng, serial, hidden_share=0.03):
    stem = rng.choice(STEMS)
    name = f"{stem}_{serial:05d}{rng.choice(EXTENSIONS)}".encode()
    return b"." + name if rng.random() < hidden_share else name


def _folder_name(rng, serial, hidden_share=0.03):
    name = f"{rng.choice(STEMS)}-{serial}".encode()
    return b"." + name if rng.random() < hidden_share else name


def _file_size(rng):
    if rng.random() < 0.04:
        return 0
    return min(int(rng.lognormvariate(8.5, 2.6)), 1 << 36)


def _new_file(folder_fd, name, size):
    fd = os.open(name, NEW_FILE, 0o644, dir_fd=folder_fd)
    try:
        if size:
            os.ftruncate(fd, size)
    finally:
        os.close(fd)


def _enter(folder_fd, name):
    os.mkdir(name, 0o755, dir_fd=folder_fd)
    return os.open(name, OPEN_FOLDER, dir_fd=folder_fd)


def _build_flat(root_fd, counts, rng, files=200_000):
    for serial in range(files):
        size = _file_size(rng)
        name = _name(rng, serial)
        _new_file(root_fd, name, size)
        counts.add("file", name, size)
    counts.folder_bytes += os.fstat(root_fd).st_size


def _build_chain(root_fd, counts, rng, depth=5000):
    fd = os.dup(root_fd)
    try:
        for level in range(depth + 1):
            size = rng.randrange(0, 1 << 20)
            _new_file(fd, b"f", size)
            counts.add("file", b"f", size)
            if level == depth:
                os.symlink(b".", b"self", dir_fd=fd)
                counts.add("link", b"self", 1)
                counts.folder_bytes += os.fstat(fd).st_size
                break
            name = b"%04d" % (level + 1)
            child = _enter(fd, name)
            counts.add("folder", name, 0)
            counts.folder_bytes += os.fstat(fd).st_size
            os.close(fd)
            fd = child
    finally:
        os.close(fd)


def _plan(rng, folders):
    """Parent and name of each folder (0 is the root), spread over depths 1 to 12."""
    weights = [1, 4, 12, 30, 60, 90, 110, 110, 90, 60, 30, 12]
    per_depth = [max(1, round(folders * weight / sum(weights))) for weight in weights]
    per_depth[6] += folders - sum(per_depth)
    parents, names, level = [-1], [b""], [0]
    for count in per_depth:
        above, level = level, []
        for _ in range(count):
            level.append(len(parents))
            parents.append(rng.choice(above))
            names.append(_folder_name(rng, len(names)))
    for index, odd in zip(rng.sample(range(1, len(names)), len(ODD_FOLDER_NAMES)),
                          ODD_FOLDER_NAMES):
        names[index] = odd
    return parents, names


def _build_shaped(root_fd, counts, rng, files, folders, file_links, folder_links):
    parents, names = _plan(rng, folders)
    children = [[] for _ in parents]
    for index in range(1, len(parents)):
        children[parents[index]].append(index)
    paths = [b"."] + [b""] * folders
    for index in range(1, len(parents)):
        parent = paths[parents[index]]
        paths[index] = names[index] if parent == b"." else parent + b"/" + names[index]
    weights = [rng.paretovariate(1.1) for _ in parents]
    file_counts, link_counts = [0] * len(parents), [0] * len(parents)
    for index in rng.choices(range(len(parents)), weights, k=files):
        file_counts[index] += 1
    for index in rng.choices(range(len(parents)), k=file_links + folder_links):
        link_counts[index] += 1
    odd_places = {rng.randrange(len(parents)): [] for _ in range(8)}
    for name in ODD_NAMES:
        odd_places[rng.choice(sorted(odd_places))].append(name)
    loop_place = children[0][0]
    locked_place = next(i for i in range(1, len(parents)) if parents[parents[i]] == 0)
    link_serial = 0

    def fill(fd, index, ancestors):
        nonlocal link_serial
        made = []
        for serial in range(file_counts[index]):
            name, size = _name(rng, serial), _file_size(rng)
            _new_file(fd, name, size)
            counts.add("file", name, size)
            if len(made) < 8:
                made.append(name)
        for name in odd_places.get(index, []):
            _new_file(fd, name, len(name))
            counts.add("file", name, len(name))
        for _ in range(link_counts[index]):
            link_serial += 1
            name = b"link %d" % link_serial
            if rng.random() < folder_links / (file_links + folder_links):
                other = rng.randrange(len(parents))
                target = os.path.relpath(paths[other], paths[index])
            else:
                pool = [(0, n) for n in made] + [(up, n) for up, group in enumerate(ancestors, 1)
                                                  for n in group]
                up, file_name = rng.choice(pool) if pool else (0, b"missing target")
                target = b"../" * up + file_name
            os.symlink(target, name, dir_fd=fd)
            counts.add("link", name, len(target))
        if index == loop_place:
            for name, target in [(b"loop", b"."), (b"up", b".."), (b"ring-a", b"ring-b"),
                                 (b"ring-b", b"ring-a"), (b"dangling", b"no such entry")]:
                os.symlink(target, name, dir_fd=fd)
                counts.add("link", name, len(target))
            _new_file(fd, b"unreadable file", 12345)
            os.chmod(b"unreadable file", 0, dir_fd=fd)  # lstat still gives its size
            counts.add("file", b"unreadable file", 12345)
        if index == locked_place:
            _build_locked(fd, counts, rng)
        return made

    def visit(fd, index, ancestors):
        made = fill(fd, index, ancestors)
        for child in children[index]:
            child_fd = _enter(fd, names[child])
            counts.add("folder", names[child], 0)
            try:
                visit(child_fd, child, [made] + ancestors)
            finally:
                os.close(child_fd)
        counts.folder_bytes += os.fstat(fd).st_size

    visit(root_fd, 0, [])


def _build_many_small(root_fd, counts, rng, folders=20_000, loose=3_000):
    """Unpacked archives by the thousand: each a folder of a few small files."""
    for serial in range(folders):
        name = _folder_name(rng, serial)
        fd = _enter(root_fd, name)
        counts.add("folder", name, 0)
        try:
            for inner in range(rng.randint(1, 4)):
                file_name, size = _name(rng, inner), rng.randrange(0, 64 * 1024)
                _new_file(fd, file_name, size)
                counts.add("file", file_name, size)
            counts.folder_bytes += os.fstat(fd).st_size
        finally:
            os.close(fd)
    for serial in range(loose):
        name, size = _name(rng, folders + serial), _file_size(rng)
        _new_file(root_fd, name, size)
        counts.add("file", name, size)
    counts.folder_bytes += os.fstat(root_fd).st_size


INSTALLERS = ["-amd64.deb", ".AppImage", "-setup.exe", ".run", "-x86_64.iso", ".flatpakref",
              "-linux-x64.tar.gz", ".rpm"]
ARCHIVES = [".zip", ".tar.gz", ".tar.xz", ".7z", ".tar.zst", ".rar"]
DOCUMENTS = [".pdf", ".docx", ".odt", ".xlsx", ".png", ".jpg", ".mp4", ".txt", ".csv", ".epub"]
SOURCE = [".c", ".h", ".cpp", ".py", ".js", ".json", ".md", ".svg", ".png", ".txt", "", ".rs"]


def _build_downloads_mix(root_fd, counts, rng):
    """What a Downloads folder gathers over years: installers and archives (large, one entry
    each), loose documents and pictures, and the folders some archives were unpacked into:
    source trees (deep, many small files), photo albums (flat, large files) and bundles."""

    def loose(fd, count, suffixes, low, high, serial0=0):
        for serial in range(count):
            name = f"{rng.choice(STEMS)}-{serial0 + serial}{rng.choice(suffixes)}".encode()
            size = int(rng.uniform(low, high))
            _new_file(fd, name, size)
            counts.add("file", name, size)

    def tree(fd, depth, files):
        loose(fd, files, SOURCE, 0, 40_000)
        if depth == 0:
            counts.folder_bytes += os.fstat(fd).st_size
            return
        for serial in range(rng.randint(1, 4)):
            name = f"{rng.choice(['src', 'lib', 'docs', 'test', 'include', 'assets', 'po'])}"
            name = f"{name}{serial}".encode()
            child = _enter(fd, name)
            counts.add("folder", name, 0)
            try:
                tree(child, depth - 1, rng.randint(2, 40))
            finally:
                os.close(child)
        counts.folder_bytes += os.fstat(fd).st_size

    loose(root_fd, 120, INSTALLERS, 20 << 20, 4 << 30)
    loose(root_fd, 250, ARCHIVES, 100 << 10, 800 << 20, 1000)
    loose(root_fd, 2500, DOCUMENTS, 10 << 10, 50 << 20, 2000)
    for serial in range(400):
        kind = rng.random()
        name = f"{rng.choice(STEMS)}-{serial}".encode()
        fd = _enter(root_fd, name)
        counts.add("folder", name, 0)
        try:
            if kind < 0.5:
                tree(fd, rng.randint(0, 3), rng.randint(5, 30))
            elif kind < 0.8:
                loose(fd, rng.randint(50, 400), [".jpg", ".JPG", ".heic"], 2 << 20, 8 << 20)
                counts.folder_bytes += os.fstat(fd).st_size
            else:
                loose(fd, rng.randint(5, 30), DOCUMENTS, 10 << 10, 5 << 20)
                counts.folder_bytes += os.fstat(fd).st_size
        finally:
            os.close(fd)
    counts.folder_bytes += os.fstat(root_fd).st_size


def _new_data_file(folder_fd, name, size, sparse_to=0):
    """A file whose `size` bytes are written (they take blocks), stretched to `sparse_to` with a
    hole when that is larger."""
    fd = os.open(name, NEW_FILE, 0o644, dir_fd=folder_fd)
    try:
        chunk = b"Z" * min(size, 1 << 20)
        left = size
        while left > 0:
            left -= os.write(fd, chunk[:left])
        if sparse_to > size:
            os.ftruncate(fd, sparse_to)
    finally:
        os.close(fd)


def _build_home(root_fd, counts, rng):
    """A home folder as a disk-usage analyser meets it: where file lengths and space on disk part
    ways. Tiny cache files take a block each; sparse images and documents take almost none; the
    flatpak-like checkouts are hard links to one repository."""

    def folder(fd, name):
        child = _enter(fd, name)
        counts.add("folder", name, 0)
        return child

    def close(fd):
        counts.folder_bytes += os.fstat(fd).st_size
        os.close(fd)

    def tiny(fd, count, serial0=0, low=1, high=4000):
        for serial in range(count):
            name, size = b"%x" % (serial0 + serial * 2654435761 % (1 << 40)), rng.randint(low, high)
            _new_data_file(fd, name, size)
            counts.add("file", name, size)

    def sparse(fd, count, serial0=0):
        for serial in range(count):
            name, size = _name(rng, serial0 + serial), _file_size(rng)
            _new_file(fd, name, size)
            counts.add("file", name, size)

    cache = folder(root_fd, b".cache")
    for kind, count in ((b"normal", 60_000), (b"large", 20_000)):  # thumbnails, flat
        thumbnails = folder(cache, b"thumbnails") if kind == b"normal" else thumbnails
        fd = folder(thumbnails, kind)
        tiny(fd, count, low=2000, high=30_000)
        close(fd)
    close(thumbnails)
    browser = folder(cache, b"mozilla")
    entries = folder(browser, b"cache2")
    fd = folder(entries, b"entries")
    tiny(fd, 120_000)  # one flat folder of 120,000 entries
    close(fd)
    close(entries)
    close(browser)
    pip = folder(cache, b"pip")
    for outer in range(16):
        fd_outer = folder(pip, b"%x" % outer)
        for inner in range(16):
            fd = folder(fd_outer, b"%x" % inner)
            tiny(fd, 390, outer * 10_000 + inner * 400)
            close(fd)
        close(fd_outer)
    close(pip)
    for app in range(37):
        fd_app = folder(cache, f"{rng.choice(STEMS)}-app-{app}".encode())
        for sub in range(30):
            fd = folder(fd_app, b"%02d" % sub)
            tiny(fd, 90, sub * 100, 1, 8000)
            close(fd)
        close(fd_app)
    close(cache)

    src = folder(root_fd, b"src")
    parents, names = _plan(rng, 25_000)
    fds = {0: src}
    children = {}
    for index in range(1, len(parents)):
        children.setdefault(parents[index], []).append(index)
    pending = [0]
    while pending:  # depth first, every folder's files before its sub-folders
        index = pending.pop()
        fd = fds.pop(index)
        for serial in range(12):
            name, size = _name(rng, index * 12 + serial, 0.05), rng.randint(0, 6000)
            if serial % 2:
                _new_data_file(fd, name, size)
            else:
                _new_file(fd, name, size)
            counts.add("file", name, size)
        if rng.random() < 0.2:
            link = b"README-link-%d" % index
            os.symlink(b"../README", link, dir_fd=fd)
            counts.add("link", link, len(b"../README"))
        for child in children.get(index, []):
            try:
                fds[child] = folder(fd, names[child])
            except FileExistsError:  # two names alike under one parent: one folder
                fds[child] = os.open(names[child], OPEN_FOLDER, dir_fd=fd)
            pending.append(child)
        if index:
            close(fd)
    chain = os.dup(src)
    for level in range(400):
        child = folder(chain, b"deep")
        _new_data_file(child, b"f", 10)
        counts.add("file", b"f", 10)
        close(chain) if level else os.close(chain)
        chain = child
    close(chain)
    close(src)

    documents = folder(root_fd, b"Documents")
    for serial in range(5_000):
        fd = folder(documents, _folder_name(rng, serial))
        sparse(fd, 40, serial * 40)
        close(fd)
    close(documents)

    share = folder(root_fd, b".local")
    flatpak = folder(share, b"flatpak")
    repo = folder(flatpak, b"repo")
    objects = []
    for bucket in range(256):
        fd = folder(repo, b"%02x" % bucket)
        for serial in range(80):
            name, size = b"%02x%06x.file" % (bucket, serial), rng.randint(50, 4000)
            _new_data_file(fd, name, size)
            counts.add("file", name, size)
            objects.append((b"%02x/" % bucket + name, size))
        close(fd)
    for checkout in (b"app-stable", b"app-beta"):
        fd_checkout = folder(flatpak, checkout)
        for start in range(0, len(objects), 10):
            fd = folder(fd_checkout, b"d%05d" % start)
            for path, size in objects[start:start + 10]:
                name = path.split(b"/")[1]
                os.link(path, name, src_dir_fd=repo, dst_dir_fd=fd)
                counts.add("file", name, size)
            close(fd)
        close(fd_checkout)
    close(repo)
    close(flatpak)
    close(share)

    machines = folder(root_fd, b"VirtualBox VMs")
    for serial, gigabytes in enumerate((20, 30, 40)):
        fd = folder(machines, b"vm-%d" % serial)
        name = b"disk.vdi"
        _new_data_file(fd, name, 4 << 20, gigabytes << 30)
        counts.add("file", name, gigabytes << 30)
        close(fd)
    close(machines)
    videos = folder(root_fd, b"Videos")
    for serial in range(6):
        name = b"clip-%d.mkv" % serial
        _new_data_file(videos, name, 32 << 20)
        counts.add("file", name, 32 << 20)
    close(videos)
    counts.folder_bytes += os.fstat(root_fd).st_size


def _build_locked(parent_fd, counts, rng):
    fd = _enter(parent_fd, LOCKED)
    counts.add("folder", LOCKED, 0)
    try:
        inner = _enter(fd, b"inner")
        for serial in range(100):
            size = _file_size(rng)
            _new_file(fd if serial % 5 else inner, _name(rng, serial), size)
            counts.hidden_entries += 1
            counts.hidden_bytes += size
        counts.hidden_entries += 1
        os.close(inner)
        counts.folder_bytes += os.fstat(fd).st_size
        os.fchmod(fd, 0)
    finally:
        os.close(fd)


def ensure(trees_fd, trees_path, name, log):
    """The manifest of tree `name`, building the tree first unless a complete one of this
    version is cached. A half-built tree from an interrupted run is removed first."""
    manifest_name = name + ".json"
    try:
        with open(os.path.join(trees_path, manifest_name)) as file:
            manifest = json.load(file)
        if manifest.get("version") == VERSION and os.path.isdir(os.path.join(trees_path, name)):
            return manifest
    except (OSError, ValueError):
        pass
    for stale in (name, name + ".partial"):
        remove(trees_fd, stale)
    log(f"building tree {name}: {TREES[name]} ...")
    started = time.monotonic()
    rng, counts = random.Random(f"{SEED}-{name}"), Counts()
    old_umask = os.umask(0o022)
    root_fd = _enter(trees_fd, name + ".partial")
    try:
        if name == "a":
            _build_flat(root_fd, counts, rng)
        elif name == "c":
            _build_chain(root_fd, counts, rng)
        elif name == "b":
            _build_shaped(root_fd, counts, rng, 300_000, 20_000, 3_000, 500)
        elif name == "e":
            _build_many_small(root_fd, counts, rng)
        elif name == "f":
            _build_downloads_mix(root_fd, counts, rng)
        elif name == "h":
            _build_home(root_fd, counts, rng)
        else:
            _build_shaped(root_fd, counts, rng, 930_000, 60_000, 9_000, 1_500)
    finally:
        os.close(root_fd)
        os.umask(old_umask)
    os.rename(name + ".partial", name, src_dir_fd=trees_fd, dst_dir_fd=trees_fd)
    path = os.path.join(trees_path, name)
    manifest = dict(vars(counts), version=VERSION, name=name, description=TREES[name],
                    build_seconds=round(time.monotonic() - started, 1))
    manifest["folders"] += 1  # the root
    manifest["name_bytes"] += len(os.fsencode(path))
    manifest["entries"] = manifest["files"] + manifest["folders"] + manifest["links"]
    manifest["expected_total"] = manifest["file_bytes"] + manifest["link_bytes"]
    with open(os.path.join(trees_path, manifest_name + ".new"), "w") as file:
        json.dump(manifest, file, indent=1)
    os.rename(manifest_name + ".new", manifest_name, src_dir_fd=trees_fd, dst_dir_fd=trees_fd)
    log(f"built tree {name} in {manifest['build_seconds']} s")
    return manifest


def forget(trees_fd, name):
    """Removes tree `name`, a half-built one, and its manifest."""
    for entry in (name + ".json", name + ".json.new", name + ".partial", name):
        remove(trees_fd, entry)


def _unlock(folder_fd, name):
    """Gives the owner access to folder `name` without following a link in its place."""
    handle = os.open(name, os.O_PATH | os.O_NOFOLLOW | os.O_CLOEXEC, dir_fd=folder_fd)
    try:
        if stat.S_ISDIR(os.fstat(handle).st_mode):
            os.chmod(f"/proc/self/fd/{handle}", 0o700)
    finally:
        os.close(handle)


def _open_for_removal(folder_fd, name):
    try:
        return os.open(name, OPEN_FOLDER, dir_fd=folder_fd)
    except PermissionError:
        _unlock(folder_fd, name)
        return os.open(name, OPEN_FOLDER, dir_fd=folder_fd)


def _delete(folder_fd, name, delete=os.unlink):
    try:
        delete(name, dir_fd=folder_fd)
    except PermissionError:  # a folder of ours without write access
        os.fchmod(folder_fd, 0o700)
        delete(name, dir_fd=folder_fd)


def remove(parent_fd, name):
    """Deletes `name` in the folder `parent_fd` and everything under it. Never follows a link:
    links are removed, not their targets. Unreadable folders (the benchmark's own) are made
    readable first. Iterative with one open folder at a time, so any depth works."""
    try:
        mode = os.lstat(name, dir_fd=parent_fd).st_mode
    except FileNotFoundError:
        return
    if not stat.S_ISDIR(mode):
        os.unlink(name, dir_fd=parent_fd)
        return
    fd, trail = _open_for_removal(parent_fd, name), []
    try:
        while True:
            with os.scandir(fd) as listing:
                entries = list(listing)
            descend = None
            for entry in entries:
                if entry.is_dir(follow_symlinks=False):
                    descend = descend or entry.name
                else:
                    _delete(fd, entry.name)
            if descend is not None:
                child = _open_for_removal(fd, descend)
                os.close(fd)
                fd = child
                trail.append(descend)
            elif trail:
                up = os.open("..", OPEN_FOLDER, dir_fd=fd)
                os.close(fd)
                fd = up
                _delete(fd, trail.pop(), os.rmdir)
            else:
                break
    finally:
        os.close(fd)
    os.rmdir(name, dir_fd=parent_fd)
