# Lays out the installation folder: the shipped files of install/ and the three programs.
file(MAKE_DIRECTORY ${DIST}/bin)
file(COPY ${SRC}/ DESTINATION ${DIST})
file(COPY ${HALYARD} DESTINATION ${DIST})
file(COPY ${PAUSEXEC} ${TRACEGATE} DESTINATION ${DIST}/bin)
