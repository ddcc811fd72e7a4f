# Running applications and the load: procfs, the window list, pidfds.
