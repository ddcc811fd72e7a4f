# Installed applications and login items: desktop entries, XDG folders, launching.
