# Installing the game: program, rules file and music side by side, a launcher, a menu entry.
