# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DSRC=from -DDST=to -P copy_if_missing.cmake: copies SRC to DST unless DST exists already.
if(NOT EXISTS "${DST}")
    get_filename_component(dst_dir "${DST}" DIRECTORY)
    file(MAKE_DIRECTORY "${dst_dir}")
    file(COPY_FILE "${SRC}" "${DST}")
endif()
