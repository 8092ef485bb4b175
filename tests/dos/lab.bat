@echo off
echo start %1>LOG.TXT
inst7c
use7c>>LOG.TXT
if errorlevel 5 echo five>>LOG.TXT
if not errorlevel 6 echo not six>>LOG.TXT
tsr7c
use7c>>LOG.TXT
install0
div0>>LOG.TXT
if errorlevel 7 echo seven>>LOG.TXT
if "%1"=="x" goto skip
echo not skipped>>LOG.TXT
:skip
shift
echo now %1 %2>>LOG.TXT
if exist LOG.TXT echo log here>>LOG.TXT
set LAB=one
echo %LAB%>>LOG.TXT
