# Unpacks ZIP into a fresh folder DIR: the package tests' set-up.
file(REMOVE_RECURSE ${DIR})
file(ARCHIVE_EXTRACT INPUT ${ZIP} DESTINATION ${DIR})
