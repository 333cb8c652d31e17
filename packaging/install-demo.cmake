# Copies the demo data into the program folder, leaving alone every file that
# is already there (the rule lives in copy-missing.sh).
set(folder "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
file(MAKE_DIRECTORY "${folder}")
set(script [[
folder=$1
put() { cp "$1" "$folder/$2" && echo "-- Installing: $folder/$2"; }
. "$2"
copy_missing "$3" "$folder" put
]])
execute_process(
    COMMAND sh -c "${script}" sh "${folder}" "${velmora_packaging_source}/copy-missing.sh" "${velmora_demo_source}"
    COMMAND_ERROR_IS_FATAL ANY)
