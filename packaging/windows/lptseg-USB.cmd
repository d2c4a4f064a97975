@echo off
rem lptseg s FTDI USB adapterom (FT232R ili FT245R) umjesto paralelnog porta.
rem Ako je prikljuceno vise adaptera, zamijenite --ftdi s --ftdi=SERIJSKI_BROJ
rem (npr. --ftdi=A50285BI); inace se uzima prvi.
start "" "%~dp0lptseg.exe" --ftdi
