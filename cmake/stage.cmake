# Lays out the installation folder: the shipped files of install/ and the programs.
file(MAKE_DIRECTORY ${DIST}/bin)
file(COPY ${SRC}/ DESTINATION ${DIST})
file(COPY ${HALYARD} DESTINATION ${DIST})
file(COPY ${PAUSEXEC} ${TRACEGATE} ${DOSRUN} DESTINATION ${DIST}/bin)
