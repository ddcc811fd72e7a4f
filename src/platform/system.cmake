# Sound volume, brightness, machine facts and opening the desktop's tools.
