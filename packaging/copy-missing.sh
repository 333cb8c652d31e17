# Sourced by every script that puts data files into a data folder: the demo
# data, or an earlier installation's data. Names in a data folder match
# without regard to case, as on Windows, so a school's own KAARTEN.SDB is
# never joined or replaced by a kaarten.sdb from elsewhere.
#
# copy_missing FROM TO COMMAND: runs `COMMAND FILE NAME` for each regular file
# in FROM (not a link) whose NAME nothing in TO has, in any case; says which
# files it leaves alone.
copy_missing() {
    for file in "$1"/*; do
        [ -f "$file" ] && [ ! -L "$file" ] || continue
        name=${file##*/}
        if [ -n "$(find "$2" -maxdepth 1 -iname "$name" -print -quit)" ]; then
            echo "$name is already in $2, left as it is"
        else
            "$3" "$file" "$name"
        fi
    done
}
