<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="es">
<context>
    <name>AppFiles</name>
    <message>
        <source>Se ignora %1: %2; se usan los valores por omisión.</source>
        <translation>%1 is ignored: %2; the default values are used.</translation>
    </message>
    <message>
        <source>es una carpeta, no un archivo de configuración</source>
        <translation>it is a folder, not a settings file</translation>
    </message>
    <message>
        <source>es una tubería con nombre (FIFO), no un archivo de configuración</source>
        <translation>it is a named pipe (FIFO), not a settings file</translation>
    </message>
    <message>
        <source>es un dispositivo o un socket, no un archivo de configuración</source>
        <translation>it is a device or a socket, not a settings file</translation>
    </message>
    <message>
        <source>mide más de 1 MB (%1 bytes), demasiado para un archivo de configuración</source>
        <translation>it is larger than 1 MB (%1 bytes), too large for a settings file</translation>
    </message>
    <message>
        <source>No se puede crear la carpeta %1</source>
        <translation>The folder %1 cannot be created</translation>
    </message>
    <message>
        <source>No existe la carpeta %1</source>
        <translation>The folder %1 does not exist</translation>
    </message>
</context>
<context>
    <name>Ayuda</name>
    <message>
        <source>Ayuda r&#xa0;pida</source>
        <translation>Quick help</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>No se halla el archivo QHELP.AYD</source>
        <translation>The file QHELP.AYD cannot be found</translation>
    </message>
</context>
<context>
    <name>Buscar</name>
    <message>
        <source>Buscar PLC en la línea</source>
        <translation>Find PLCs on the line</translation>
    </message>
    <message>
        <source>Desde el Nº de Id</source>
        <translation>From Id no.</translation>
    </message>
    <message>
        <source>hasta</source>
        <translation>to</translation>
    </message>
    <message>
        <source>&amp;Buscar</source>
        <translation>&amp;Search</translation>
    </message>
    <message>
        <source>&amp;Elegir</source>
        <translation>&amp;Choose</translation>
    </message>
    <message>
        <source>&amp;Cancelar</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>Buscando desde el Nº de Id %1 hasta el %2...</source>
        <translation>Searching from Id no. %1 to %2...</translation>
    </message>
    <message>
        <source>Buscando: Nº de Id %1 de %2 a %3.</source>
        <translation>Searching: Id no. %1 of %2 to %3.</translation>
    </message>
    <message>
        <source>Id %1 (byte de verificación del programa: %2)</source>
        <translation>Id %1 (program check byte: %2)</translation>
    </message>
    <message>
        <source>Id %1: respuesta dañada</source>
        <translation>Id %1: damaged answer</translation>
    </message>
    <message>
        <source>Búsqueda detenida después del Nº de Id %1.</source>
        <translation>Search stopped after Id no. %1.</translation>
    </message>
    <message>
        <source>Ningún PLC respondió entre el Nº de Id %1 y el %2.</source>
        <translation>No PLC answered between Id no. %1 and %2.</translation>
    </message>
    <message>
        <source>Respondió un PLC.</source>
        <translation>One PLC answered.</translation>
    </message>
    <message>
        <source>Respondieron %1 PLC.</source>
        <translation>%1 PLCs answered.</translation>
    </message>
    <message>
        <source>&amp;Salir</source>
        <translation>E&amp;xit</translation>
    </message>
</context>
<context>
    <name>Colorset</name>
    <message>
        <source>Elecci¢n de colores</source>
        <translation>Choice of colours</translation>
    </message>
    <message>
        <source>Texto de prueba</source>
        <translation>Sample text</translation>
    </message>
    <message>
        <source>Destacado</source>
        <translation>Highlighted</translation>
    </message>
    <message>
        <source>Texto destacado</source>
        <translation>Highlighted text</translation>
    </message>
    <message>
        <source>&amp;Aceptar</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancelar</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>Colores de Frente</source>
        <translation>Text colours</translation>
    </message>
    <message>
        <source>Colores de fondo</source>
        <translation>Background colours</translation>
    </message>
</context>
<context>
    <name>Editor</name>
    <message>
        <source>Idioma</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Del sistema</source>
        <translation>System language</translation>
    </message>
    <message>
        <source>El cambio se aplica al volver a iniciar WMK38</source>
        <translation>The change takes effect the next time WMK38 starts</translation>
    </message>
    <message>
        <source>&amp;Archivo</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Cargar</source>
        <translation>&amp;Load</translation>
    </message>
    <message>
        <source>&amp;Salvar</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>Salvar co&amp;mo</source>
        <translation>Save &amp;as</translation>
    </message>
    <message>
        <source>&amp;Nuevo</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>C&amp;errar</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Sa&amp;lir</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;Edición</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Copiar</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>&amp;Pegar</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>Co&amp;rtar</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>&amp;Buscar</source>
        <translation>&amp;Find</translation>
    </message>
    <message>
        <source>Buscar &amp;siguiente</source>
        <translation>Find &amp;next</translation>
    </message>
    <message>
        <source>&amp;Programa</source>
        <translation>&amp;Program</translation>
    </message>
    <message>
        <source>&amp;Compilar programa</source>
        <translation>&amp;Compile program</translation>
    </message>
    <message>
        <source>&amp;Descompilar</source>
        <translation>&amp;Decompile</translation>
    </message>
    <message>
        <source>&amp;Salvar compilado (.OBJ)</source>
        <translation>&amp;Save compiled (.OBJ)</translation>
    </message>
    <message>
        <source>&amp;Enviar programa</source>
        <translation>S&amp;end program</translation>
    </message>
    <message>
        <source>En&amp;viar compilado (.OBJ)</source>
        <translation>Send com&amp;piled (.OBJ)</translation>
    </message>
    <message>
        <source>Enviar compilado del &amp;Ladder (.BLD)</source>
        <translation>Send compiled &amp;Ladder (.BLD)</translation>
    </message>
    <message>
        <source>&amp;Recibir</source>
        <translation>&amp;Receive</translation>
    </message>
    <message>
        <source>Veri&amp;ficar programa</source>
        <translation>&amp;Verify program</translation>
    </message>
    <message>
        <source>Correr</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>Detener</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>&amp;Id (identificador) PLC</source>
        <translation>PLC &amp;Id (identifier)</translation>
    </message>
    <message>
        <source>&amp;Monitor variables</source>
        <translation>&amp;Monitor variables</translation>
    </message>
    <message>
        <source>Enlace &amp;rápido</source>
        <translation>&amp;Fast link</translation>
    </message>
    <message>
        <source>Apagar salidas al detener</source>
        <translation>Switch outputs off on stop</translation>
    </message>
    <message>
        <source>Retener variables al Correr</source>
        <translation>Keep variables on Run</translation>
    </message>
    <message>
        <source>Reset variables al Correr</source>
        <translation>Reset variables on Run</translation>
    </message>
    <message>
        <source>Reiniciar PLC al Correr</source>
        <translation>Restart PLC on Run</translation>
    </message>
    <message>
        <source>&amp;Presetear contadores</source>
        <translation>&amp;Preset counters</translation>
    </message>
    <message>
        <source>&amp;Opciones</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>Co&amp;lores</source>
        <translation>Co&amp;lours</translation>
    </message>
    <message>
        <source>Auto &amp;ident</source>
        <translation>Auto &amp;indent</translation>
    </message>
    <message>
        <source>&amp;Resaltar sintaxis</source>
        <translation>Syntax &amp;highlighting</translation>
    </message>
    <message>
        <source>&amp;Números de línea</source>
        <translation>Line &amp;numbers</translation>
    </message>
    <message>
        <source>&amp;Puertos serie...</source>
        <translation>Serial &amp;ports...</translation>
    </message>
    <message>
        <source>Modo &amp;debug</source>
        <translation>&amp;Debug mode</translation>
    </message>
    <message>
        <source>Insertar instrucciones</source>
        <translation>Insert instructions</translation>
    </message>
    <message>
        <source>A&amp;yuda</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Ay&amp;uda</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>A&amp;yuda rápida</source>
        <translation>&amp;Quick help</translation>
    </message>
    <message>
        <source>&amp;Acerca de</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>Cargar un programa desde un archivo</source>
        <translation>Load a program from a file</translation>
    </message>
    <message>
        <source>Nuevo programa</source>
        <translation>New program</translation>
    </message>
    <message>
        <source>Guardar programa en un archivo</source>
        <translation>Save the program to a file</translation>
    </message>
    <message>
        <source>Cerrar programa</source>
        <translation>Close the program</translation>
    </message>
    <message>
        <source>Compilar</source>
        <translation>Compile</translation>
    </message>
    <message>
        <source>Enviar al PLC</source>
        <translation>Send to the PLC</translation>
    </message>
    <message>
        <source>Extraer programa del PLC</source>
        <translation>Read the program from the PLC</translation>
    </message>
    <message>
        <source>Verificar el programa del PLC</source>
        <translation>Verify the program in the PLC</translation>
    </message>
    <message>
        <source>Correr programa </source>
        <translation>Run the program</translation>
    </message>
    <message>
        <source>Ejecutando programa</source>
        <translation>Program running</translation>
    </message>
    <message>
        <source>Detener programa</source>
        <translation>Stop the program</translation>
    </message>
    <message>
        <source>PLC detenido</source>
        <translation>PLC stopped</translation>
    </message>
    <message>
        <source>Monitor de variables</source>
        <translation>Variable monitor</translation>
    </message>
    <message>
        <source>Buscar texto</source>
        <translation>Find text</translation>
    </message>
    <message>
        <source>Copiar la selección</source>
        <translation>Copy the selection</translation>
    </message>
    <message>
        <source>Cortar la selección</source>
        <translation>Cut the selection</translation>
    </message>
    <message>
        <source>Pegar desde el portapapeles</source>
        <translation>Paste from the clipboard</translation>
    </message>
    <message>
        <source>Deshacer</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Puerto serie</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>Nombres definidos con EQU en el programa (última compilación)</source>
        <translation>Names defined with EQU in the program (last compilation)</translation>
    </message>
    <message>
        <source>Fila:Columna</source>
        <translation>Line:Column</translation>
    </message>
    <message>
        <source>MAYÚS</source>
        <translation>CAPS</translation>
    </message>
    <message>
        <source>NÚM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>Progreso</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>Puerto</source>
        <translation>Port</translation>
    </message>
    <message>
        <source> El archivo ES.DEF es necesario para el correcto<byte value="xd"/>
funcionamiento del software. Este debe estar en la<byte value="xd"/>
misma carpeta dende se halla instalado el DMK38.EXE,<byte value="xd"/>
en este caso %1<byte value="xd"/>
<byte value="xd"/>
Verifique la instalaci¢n.<byte value="xd"/>
</source>
        <translation>The file ES.DEF is needed for the software to work.<byte value="xd"/>
It must be in the folder where the program is installed,<byte value="xd"/>
in this case %1<byte value="xd"/>
<byte value="xd"/>
Please check the installation.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Archivo faltante</source>
        <translation>Missing file</translation>
    </message>
    <message>
        <source>No se puede cargar:</source>
        <translation>Cannot load:</translation>
    </message>
    <message>
        <source>Salvar</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>El programa ha sido modificado. ¨ Salvarlo ?</source>
        <translation>The program has been modified. Save it?</translation>
    </message>
    <message>
        <source>Configuración</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>No se pudieron guardar las opciones (colores, puerto, identificador):<byte value="xd"/>
%1</source>
        <translation>The options (colours, port, identifier) could not be saved:<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>Compilando...</source>
        <translation>Compiling...</translation>
    </message>
    <message>
        <source>Bytes compilados:  %1</source>
        <translation>Bytes compiled:  %1</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Error en linea<byte value="xd"/>
%1<byte value="xd"/>
%2</source>
        <translation>Error in line<byte value="xd"/>
%1<byte value="xd"/>
%2</translation>
    </message>
    <message>
        <source>Error: %1</source>
        <translation>Error: %1</translation>
    </message>
    <message>
        <source>Error: salto a %1 No hallado.</source>
        <translation>Error: jump target %1 not found.</translation>
    </message>
    <message>
        <source>Error de salto</source>
        <translation>Jump error</translation>
    </message>
    <message>
        <source>Salvar binario como</source>
        <translation>Save compiled program as</translation>
    </message>
    <message>
        <source>Programas *.OBJ|*.OBJ</source>
        <translation>Programs *.OBJ|*.OBJ</translation>
    </message>
    <message>
        <source>No se especific¢ un nombre: no es posible salvar!</source>
        <translation>No name was given: the file cannot be saved.</translation>
    </message>
    <message>
        <source>Salvando compilado...</source>
        <translation>Saving compiled program...</translation>
    </message>
    <message>
        <source>Cargar programa compilado</source>
        <translation>Load compiled program</translation>
    </message>
    <message>
        <source>Cargando...</source>
        <translation>Loading...</translation>
    </message>
    <message>
        <source>No se encontró la ruta de acceso</source>
        <translation>Path not found</translation>
    </message>
    <message>
        <source>Error de acceso a la ruta o el archivo</source>
        <translation>Path or file access error</translation>
    </message>
    <message>
        <source>Permiso denegado</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <source>Disco lleno</source>
        <translation>Disk full</translation>
    </message>
    <message>
        <source>Se produjo error %1, %2. ¨ Reintentar ?</source>
        <translation>Error%1 occurred: %2. Retry?</translation>
    </message>
    <message>
        <source>Sobreescribir</source>
        <translation>Overwrite</translation>
    </message>
    <message>
        <source>El archivo %1 ya existe: Sobreescribir?</source>
        <translation>The file %1 already exists. Overwrite it?</translation>
    </message>
    <message>
        <source>No se puede grabar:</source>
        <translation>Cannot save:</translation>
    </message>
    <message>
        <source>No se ha especificado el nombre del archivo</source>
        <translation>No file name was given</translation>
    </message>
    <message>
        <source>Cargar programa</source>
        <translation>Load program</translation>
    </message>
    <message>
        <source>No se puede leer el archivo %1</source>
        <translation>The file %1 cannot be read</translation>
    </message>
    <message>
        <source>Cargando %1 - %2 bytes -  ** Espere **</source>
        <translation>Loading %1 -%2 bytes - ** Please wait **</translation>
    </message>
    <message>
        <source>Desbordamiento</source>
        <translation>Overflow</translation>
    </message>
    <message>
        <source>El límite son 32000 caracteres: solo se cargar&#xa0; parte del archivo</source>
        <translation>The limit is 32000 characters: only part of the file will be loaded</translation>
    </message>
    <message>
        <source>Salvar como</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>Programas *.PRG|*.PRG</source>
        <translation>Programs *.PRG|*.PRG</translation>
    </message>
    <message>
        <source>Salvar archivo</source>
        <translation>Save file</translation>
    </message>
    <message>
        <source>El Archivo %1 no ha sido salvado.<byte value="xd"/>
¨Salvar ahora?</source>
        <translation>The file %1 has not been saved.<byte value="xd"/>
Save it now?</translation>
    </message>
    <message>
        <source>Nuevo</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Buscar</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>Texto a buscar:</source>
        <translation>Text to find:</translation>
    </message>
    <message>
        <source>No hallado</source>
        <translation>Not found</translation>
    </message>
    <message>
        <source>No se halla  %1</source>
        <translation>%1 was not found</translation>
    </message>
    <message>
        <source>No se ha hallado: %1</source>
        <translation>Not found: %1</translation>
    </message>
    <message>
        <source>  (nombre no válido)</source>
        <translation>  (invalid name)</translation>
    </message>
    <message>
        <source>  (no está)</source>
        <translation>  (not present)</translation>
    </message>
    <message>
        <source>(no está)</source>
        <translation>(not present)</translation>
    </message>
    <message>
        <source>(no se abre)</source>
        <translation>(does not open)</translation>
    </message>
    <message>
        <source>Puerto serie: %1
%2</source>
        <translation>Serial port: %1
%2</translation>
    </message>
    <message>
        <source> El dispositivo de cada puerto se elige en Opciones → Puertos serie...</source>
        <translation> The device of each port is chosen in Options → Serial ports...</translation>
    </message>
    <message>
        <source>No se pudo guardar la elección en %1</source>
        <translation>The choice could not be saved in %1</translation>
    </message>
    <message>
        <source>Recompilando...</source>
        <translation>Recompiling...</translation>
    </message>
    <message>
        <source>Enviando programa...</source>
        <translation>Sending the program...</translation>
    </message>
    <message>
        <source>Transmitiendo</source>
        <translation>Transmitting</translation>
    </message>
    <message>
        <source>Ejecutar</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>Correr programa ?</source>
        <translation>Run the program?</translation>
    </message>
    <message>
        <source>Error de comunicación</source>
        <translation>Communication error</translation>
    </message>
    <message>
        <source>El PLC recibió mal</source>
        <translation>The PLC did not receive the program correctly</translation>
    </message>
    <message>
        <source>No hay respuesta del PLC</source>
        <translation>No answer from the PLC</translation>
    </message>
    <message>
        <source>Cargar programa compilado del Ladder</source>
        <translation>Load a program compiled by Ladder</translation>
    </message>
    <message>
        <source>N§ de identificaci¢n</source>
        <translation>Identification number</translation>
    </message>
    <message>
        <source> N£mero de identificador del PLC: entre 1 y 255<byte value="xd"/>
%1</source>
        <translation>PLC identifier number: between 1 and 255<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>&amp;Buscar...</source>
        <translation>&amp;Search...</translation>
    </message>
    <message>
        <source>El valor %1 es incorecto!.</source>
        <translation>The value %1 is not valid.</translation>
    </message>
    <message>
        <source>Salvar programa extraido como</source>
        <translation>Save the uploaded program as</translation>
    </message>
    <message>
        <source>Verificar programa</source>
        <translation>Verify program</translation>
    </message>
    <message>
        <source>Contraseña (4B7E es deshabilitado)</source>
        <translation>Password (4B7E means none)</translation>
    </message>
    <message>
        <source>Leyendo el programa del PLC...</source>
        <translation>Reading the program from the PLC...</translation>
    </message>
    <message>
        <source>Reintentar</source>
        <translation>Retry</translation>
    </message>
    <message>
        <source>El programa del PLC es el del editor.<byte value="xd"/>
Fecha del programa: %1.</source>
        <translation>The PLC holds the editor&apos;s program.<byte value="xd"/>
Program date: %1.</translation>
    </message>
    <message>
        <source>El programa del PLC es el del editor.<byte value="xd"/>
Su fecha no es válida (%1).</source>
        <translation>The PLC holds the editor&apos;s program.<byte value="xd"/>
Its date is not valid (%1).</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Ayuda de WMK38</source>
        <translation>WMK38 Help</translation>
    </message>
</context>
<context>
    <name>Monitor</name>
    <message>
        <source>Monitor</source>
        <translation>Monitor</translation>
    </message>
    <message>
        <source>Ents.</source>
        <translation>Ins</translation>
    </message>
    <message>
        <source>Sals.</source>
        <translation>Outs</translation>
    </message>
    <message>
        <source>&amp;Recibir</source>
        <translation>&amp;Receive</translation>
    </message>
    <message>
        <source>&amp;Detener</source>
        <translation>&amp;Stop</translation>
    </message>
    <message>
        <source>&amp;Salir</source>
        <translation>E&amp;xit</translation>
    </message>
</context>
<context>
    <name>MonitorChart</name>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>%1 (%2, 0x%3)</source>
        <translation>%1 (%2, 0x%3)</translation>
    </message>
    <message>
        <source>La historia está llena: se descartaron las muestras anteriores a las %1.</source>
        <translation>The history is full: the samples before %1 were dropped.</translation>
    </message>
</context>
<context>
    <name>MonitorChartPanel</name>
    <message>
        <source>&amp;Gráfico</source>
        <translation>&amp;Chart</translation>
    </message>
    <message>
        <source>10 s</source>
        <translation>10 s</translation>
    </message>
    <message>
        <source>1 min</source>
        <translation>1 min</translation>
    </message>
    <message>
        <source>10 min</source>
        <translation>10 min</translation>
    </message>
    <message>
        <source>Pausa</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Exportar...</source>
        <translation>Export...</translation>
    </message>
    <message>
        <source>No se pudo exportar %1: la imagen no se pudo codificar.</source>
        <translation>Could not export %1: the image could not be encoded.</translation>
    </message>
    <message>
        <source>No se pudo exportar %1: %2</source>
        <translation>Could not export %1: %2</translation>
    </message>
    <message>
        <source>Exportar</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Valores separados por comas (*.csv)|*.csv|Imagen PNG (*.png)|*.png</source>
        <translation>Comma-separated values (*.csv)|*.csv|PNG image (*.png)|*.png</translation>
    </message>
    <message>
        <source>El archivo %1 ya existe: Sobreescribir?</source>
        <translation>The file %1 already exists. Overwrite it?</translation>
    </message>
</context>
<context>
    <name>ObjectFiles</name>
    <message>
        <source>No se puede abrir el archivo %1: %2</source>
        <translation>The file %1 cannot be opened: %2</translation>
    </message>
    <message>
        <source>No se pudo leer el archivo %1: %2</source>
        <translation>The file %1 could not be read: %2</translation>
    </message>
    <message>
        <source>No se pudo grabar el archivo %1: %2</source>
        <translation>The file %1 could not be written: %2</translation>
    </message>
    <message>
        <source>El archivo %1 no es un programa compilado: tiene mas de %2 bytes.</source>
        <translation>The file %1 is not a compiled program: it has more than %2 bytes.</translation>
    </message>
    <message>
        <source>El archivo %1 no es un programa compilado: tiene %2 bytes y un programa compilado tiene al menos %3.</source>
        <translation>The file %1 is not a compiled program: it has %2 bytes and a compiled program has at least %3.</translation>
    </message>
    <message>
        <source>El archivo %1 no es un programa Ladder valido: no tiene fin de linea en sus primeros %2 bytes.</source>
        <translation>The file %1 is not a valid Ladder program: there is no line end in its first %2 bytes.</translation>
    </message>
    <message>
        <source>El archivo %1 no es un programa Ladder valido: su programa tiene mas de %2 bytes.</source>
        <translation>The file %1 is not a valid Ladder program: its program has more than %2 bytes.</translation>
    </message>
</context>
<context>
    <name>OrvRegistry</name>
    <message>
        <source>Para registrarlo para todos / to register it for every user: %1 --system %2  (root)</source>
        <translation>To register it for every user: %1 --system %2  (root)</translation>
    </message>
    <message>
        <source>Para registrarlo / to register it: %1 %2  (o / or: make build)</source>
        <translation>To register it: %1 %2  (or: make build)</translation>
    </message>
    <message>
        <source>No se puede crear el componente OrvLibCls: la clase %1 no está registrada en %2.
The OrvLib2 component class is not registered.
%3</source>
        <translation>The OrvLibCls component cannot be created: the class %1 is not registered in %2.
%3</translation>
    </message>
    <message>
        <source>No se puede crear el componente OrvLibCls (clase %1): no se puede leer el registro %2.
The registration store cannot be read.
%3</source>
        <translation>The OrvLibCls component (class %1) cannot be created: the registration store %2 cannot be read.
%3</translation>
    </message>
    <message>
        <source>No se puede cargar la biblioteca %1 registrada en %2 para la clase %3:
%4
The OrvLib2 library cannot be loaded.
%5</source>
        <translation>The library %1, registered in %2 for the class %3, cannot be loaded:
%4
%5</translation>
    </message>
    <message>
        <source>La biblioteca %1, registrada en %2, no pudo crear el componente %3 (error 0x%4).
The OrvLib2 library could not create the object.
%5</source>
        <translation>The library %1, registered in %2, could not create the component %3 (error 0x%4).
%5</translation>
    </message>
</context>
<context>
    <name>PlcWindow</name>
    <message>
        <source>Error %1</source>
        <translation>Error %1</translation>
    </message>
</context>
<context>
    <name>Precnt</name>
    <message>
        <source>Preseteos contadores y temporizadores</source>
        <translation>Counter and timer presets</translation>
    </message>
    <message>
        <source>Contadores</source>
        <translation>Counters</translation>
    </message>
    <message>
        <source>Unidades</source>
        <translation>Units</translation>
    </message>
    <message>
        <source>Temporizadores</source>
        <translation>Timers</translation>
    </message>
    <message>
        <source>Décimas</source>
        <translation>Tenths</translation>
    </message>
    <message>
        <source>temporizadres Rápidos</source>
        <translation>Fast timers</translation>
    </message>
    <message>
        <source>Centésimas</source>
        <translation>Hundredths</translation>
    </message>
    <message>
        <source>En</source>
        <translation>In</translation>
    </message>
    <message>
        <source>&amp;En &quot;0&quot;</source>
        <translation>&amp;Zero</translation>
    </message>
    <message>
        <source>&amp;Fábrica</source>
        <translation>&amp;Factory</translation>
    </message>
    <message>
        <source>&amp;Preset</source>
        <translation>&amp;Preset</translation>
    </message>
    <message>
        <source>&amp;Releer</source>
        <translation>&amp;Read again</translation>
    </message>
    <message>
        <source>&amp;Cerrar</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Valores admisibles entre 0 y 65535</source>
        <translation>Allowed values are 0 to 65535</translation>
    </message>
    <message>
        <source>Escribiendo%1</source>
        <translation>Writing%1</translation>
    </message>
    <message>
        <source>Leyendo...</source>
        <translation>Reading...</translation>
    </message>
    <message>
        <source>Leyendo%1</source>
        <translation>Reading%1</translation>
    </message>
</context>
<context>
    <name>Presenta</name>
    <message>
        <source>WMK38 - Editor y compilador para el MicroPLC MK38</source>
        <translation>WMK38 - Editor and compiler for the MicroPLC MK38</translation>
    </message>
    <message>
        <source>&amp;Aceptar</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Software libre bajo la Licencia Pública General de GNU,
versión 3 o posterior (GPL-3.0-or-later), sin garantía alguna.</source>
        <translation>Free software under the GNU General Public License,
version 3 or later (GPL-3.0-or-later), without any warranty.</translation>
    </message>
</context>
<context>
    <name>ProgramText</name>
    <message>
        <source>Código 0x%1, %2 bytes</source>
        <translation>Code 0x%1, %2 bytes</translation>
    </message>
    <message>
        <source>%1: %2, dirección %3</source>
        <translation>%1: %2, address %3</translation>
    </message>
    <message>
        <source>%1 vale %2</source>
        <translation>%1 is %2</translation>
    </message>
    <message>
        <source>Etiqueta %1, definida en la línea %2</source>
        <translation>Label %1, defined in line %2</translation>
    </message>
    <message>
        <source>Programa demasiado largo: %1 / %2 bytes, %3 de más</source>
        <translation>Program too long: %1 / %2 bytes, %3 too many</translation>
    </message>
    <message>
        <source>%1 / %2 bytes</source>
        <translation>%1 / %2 bytes</translation>
    </message>
    <message>
        <source>Error: salto a %1 No hallado.</source>
        <translation>Error: jump target %1 not found.</translation>
    </message>
    <message>
        <source>dirección</source>
        <translation>address</translation>
    </message>
    <message>
        <source>[cantidad]</source>
        <translation>[count]</translation>
    </message>
    <message>
        <source>valor</source>
        <translation>value</translation>
    </message>
    <message>
        <source>tiempo</source>
        <translation>time</translation>
    </message>
    <message>
        <source>etiqueta</source>
        <translation>label</translation>
    </message>
    <message>
        <source>entrada</source>
        <translation>input</translation>
    </message>
    <message>
        <source>salida</source>
        <translation>output</translation>
    </message>
    <message>
        <source>variable</source>
        <translation>variable</translation>
    </message>
    <message>
        <source>operando re</source>
        <translation>re operand</translation>
    </message>
    <message>
        <source>contador</source>
        <translation>counter</translation>
    </message>
    <message>
        <source>preset de temporizador</source>
        <translation>timer preset</translation>
    </message>
    <message>
        <source>temporizador</source>
        <translation>timer</translation>
    </message>
</context>
<context>
    <name>Prompts</name>
    <message>
        <source>&amp;Anular</source>
        <translation>&amp;Abort</translation>
    </message>
    <message>
        <source>&amp;Omitir</source>
        <translation>&amp;Ignore</translation>
    </message>
</context>
<context>
    <name>Puertos</name>
    <message>
        <source>Puertos serie</source>
        <translation>Serial ports</translation>
    </message>
    <message>
        <source>Probar</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>&amp;Aceptar</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancelar</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>COM%1: probando %2...</source>
        <translation>COM%1: testing %2...</translation>
    </message>
    <message>
        <source>COM%1: el PLC %2 respondió por %3 (byte de verificación del programa: %4).</source>
        <translation>COM%1: PLC %2 answered on %3 (program check byte: %4).</translation>
    </message>
    <message>
        <source>COM%1: %2 se abrió, pero ningún PLC con identificador %3 respondió (%4 bytes recibidos).</source>
        <translation>COM%1: %2 opened, but no PLC with identifier %3 answered (%4 bytes received).</translation>
    </message>
</context>
<context>
    <name>Recprg</name>
    <message>
        <source>Extraer programa del PLC</source>
        <translation>Upload the program from the PLC</translation>
    </message>
    <message>
        <source>&amp;Recibir</source>
        <translation>&amp;Receive</translation>
    </message>
    <message>
        <source>&amp;Cancelar</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>Contraseña (4B7E es deshabilitado)</source>
        <translation>Password (4B7E means none)</translation>
    </message>
    <message>
        <source>Todos</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Nº de Id</source>
        <translation>Id no.</translation>
    </message>
    <message>
        <source>B&amp;uscar...</source>
        <translation>Sea&amp;rch...</translation>
    </message>
    <message>
        <source>Buscar los PLC de la línea</source>
        <translation>Find the PLCs on the line</translation>
    </message>
    <message>
        <source>Enviando comando para recibir...</source>
        <translation>Sending the upload command...</translation>
    </message>
    <message>
        <source>Reintentar</source>
        <translation>Retry</translation>
    </message>
    <message>
        <source>No hay comunicaci¢n con el PLC.<byte value="xd"/>
Verifique los elementos de<byte value="xd"/>
comunicaci¢n (N§ puerto, cable,<byte value="xd"/>
Id, contrase¤a, etc.)<byte value="xd"/>
<byte value="xd"/>
¨ Reintentar ?</source>
        <translation>No communication with the PLC.<byte value="xd"/>
Check the communication<byte value="xd"/>
settings (port number, cable,<byte value="xd"/>
Id, password, etc.)<byte value="xd"/>
<byte value="xd"/>
Retry?</translation>
    </message>
    <message>
        <source>No hay respuesta desde el PLC. <byte value="xd"/>
<byte value="xd"/>
Verifique que:<byte value="xd"/>
 - se esté comunicando por el puerto correcto.<byte value="xd"/>
 - el PLC esté encendido.<byte value="xd"/>
 - el Nº de Id sea el correcto.<byte value="xd"/>
 - la contraseña sea la correcta.<byte value="xd"/>
 - el cable de comunicaci¢n esté conectado.<byte value="xd"/>
</source>
        <translation>No answer from the PLC.<byte value="xd"/>
<byte value="xd"/>
Check that:<byte value="xd"/>
 - the right port is in use.<byte value="xd"/>
 - the PLC is switched on.<byte value="xd"/>
 - the Id number is right.<byte value="xd"/>
 - the password is right.<byte value="xd"/>
 - the communication cable is connected.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>La recepción fue copleta pero con errores.<byte value="xd"/>
No da la verificaci¢n de integridad.<byte value="xd"/>
</source>
        <translation>The upload was complete but has errors.<byte value="xd"/>
The integrity check fails.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>...recibido !.</source>
        <translation>...received.</translation>
    </message>
    <message>
        <source>Fecha del programa:</source>
        <translation>Program date:</translation>
    </message>
    <message>
        <source>  Día%1</source>
        <translation>  Day%1</translation>
    </message>
    <message>
        <source>  Mes%1</source>
        <translation>  Month%1</translation>
    </message>
    <message>
        <source>  Año%1</source>
        <translation>  Year%1</translation>
    </message>
    <message>
        <source>&amp;Salir</source>
        <translation>E&amp;xit</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>&quot;%1&quot; no cabe en el archivo (Windows-1252): %2</source>
        <translation>&quot;%1&quot; does not fit in the file (Windows-1252): %2</translation>
    </message>
    <message>
        <source>no se pudo escribir</source>
        <translation>it could not be written</translation>
    </message>
</context>
<context>
    <name>Verificar</name>
    <message>
        <source>Verificar programa</source>
        <translation>Verify program</translation>
    </message>
    <message>
        <source>Editor</source>
        <translation>Editor</translation>
    </message>
    <message>
        <source>PLC</source>
        <translation>PLC</translation>
    </message>
    <message>
        <source>&amp;Conservar el texto</source>
        <translation>&amp;Keep the text</translation>
    </message>
    <message>
        <source>&amp;Enviar</source>
        <translation>&amp;Send</translation>
    </message>
    <message>
        <source>Enviar el programa del editor al PLC</source>
        <translation>Send the editor&apos;s program to the PLC</translation>
    </message>
    <message>
        <source>Cargar el programa del &amp;PLC</source>
        <translation>Load the &amp;PLC&apos;s program</translation>
    </message>
    <message>
        <source>Reemplazar el texto del editor por el programa del PLC</source>
        <translation>Replace the editor&apos;s text with the PLC&apos;s program</translation>
    </message>
    <message>
        <source>El programa del PLC difiere del editor en 1 byte, en la dirección %1.</source>
        <translation>The PLC&apos;s program differs from the editor&apos;s in 1 byte, at address %1.</translation>
    </message>
    <message>
        <source>El programa del PLC difiere del editor en %1 bytes; el primero está en la dirección %2.</source>
        <translation>The PLC&apos;s program differs from the editor&apos;s in %1 bytes; the first is at address %2.</translation>
    </message>
</context>
<context>
    <name>compiler</name>
    <message>
        <source>El programa excede los %1 bytes</source>
        <translation>The program exceeds %1 bytes</translation>
    </message>
    <message>
        <source>El argumento &quot;%1&quot; da el índice %2, fuera de %3 a %4 para %5</source>
        <translation>The operand &quot;%1&quot; gives the index %2, outside %3 to %4 for %5</translation>
    </message>
    <message>
        <source>La palabra &quot;%1&quot; de un solo caracter no es una instrucción</source>
        <translation>The one-character word &quot;%1&quot; is not an instruction</translation>
    </message>
    <message>
        <source>La etiqueta &quot;%1&quot; no tiene instrucción</source>
        <translation>The label &quot;%1&quot; has no instruction</translation>
    </message>
    <message>
        <source>Ni &quot;%1&quot; ni &quot;%2&quot; es una instrucción</source>
        <translation>Neither &quot;%1&quot; nor &quot;%2&quot; is an instruction</translation>
    </message>
    <message>
        <source>El argumento &quot;%1&quot; es menor que el mínimo (%2)</source>
        <translation>The operand &quot;%1&quot; is below the minimum (%2)</translation>
    </message>
    <message>
        <source>El argumento &quot;%1&quot; es mayor que el máximo (%2)</source>
        <translation>The operand &quot;%1&quot; is above the maximum (%2)</translation>
    </message>
    <message>
        <source>El argumento &quot;%1&quot; no está entre los EQUs ni es una palabra clave</source>
        <translation>The operand &quot;%1&quot; is neither an EQU nor a keyword</translation>
    </message>
    <message>
        <source>El argumento &quot;%1&quot; excede el rango de 16 bits (-32768 a 32767) al multiplicarlo por %2</source>
        <translation>The operand &quot;%1&quot; exceeds the 16-bit range (-32768 to 32767) when multiplied by %2</translation>
    </message>
    <message>
        <source>El argumento &quot;%1&quot; excede el rango de 16 bits (-32768 a 32767)</source>
        <translation>The operand &quot;%1&quot; exceeds the 16-bit range (-32768 to 32767)</translation>
    </message>
    <message>
        <source>Falta argumento</source>
        <translation>Missing operand</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Uso: wmk38 [/debugmode] [ARCHIVO]
  ARCHIVO .prg         se abre como con &quot;Cargar&quot;
  ARCHIVO .obj, .bld   se traduce como con &quot;Descompilar&quot;
  /debugmode           modo de diagnóstico
  --help, --version
Estado de salida:
  0  al salir
  1  no pudo arrancar (falta ES.DEF u OrvLib2)
</source>
        <translation>Usage: wmk38 [/debugmode] [FILE]
  FILE .prg         opened as with &quot;Load&quot;
  FILE .obj, .bld   translated as with &quot;Decompile&quot;
  /debugmode        diagnostic mode
  --help, --version
Exit status:
  0  on exit
  1  could not start (ES.DEF or OrvLib2 missing)
</translation>
    </message>
</context>
<context>
    <name>mk38c</name>
    <message>
        <source>%1 necesita un valor</source>
        <translation>%1 needs a value</translation>
    </message>
    <message>
        <source>opción desconocida &quot;%1&quot;</source>
        <translation>unknown option &quot;%1&quot;</translation>
    </message>
    <message>
        <source>no se puede leer %1: %2</source>
        <translation>cannot read %1: %2</translation>
    </message>
    <message>
        <source>%1 mide más de %2 bytes, más que cualquier texto de programa</source>
        <translation>%1 is larger than %2 bytes, more than any program text</translation>
    </message>
    <message>
        <source>%1 no es un archivo común; se deja como está</source>
        <translation>%1 is not a regular file; it is left as it is</translation>
    </message>
    <message>
        <source>%1 es la entrada %2; no se escribe encima</source>
        <translation>%1 is the input %2; it is not written over</translation>
    </message>
    <message>
        <source>no se puede escribir %1: %2</source>
        <translation>cannot write %1: %2</translation>
    </message>
    <message>
        <source>mk38c: no se puede escribir la salida estándar: %1</source>
        <translation>mk38c: cannot write the standard output: %1</translation>
    </message>
    <message>
        <source>mk38c: no se puede escribir la salida estándar</source>
        <translation>mk38c: cannot write the standard output</translation>
    </message>
    <message>
        <source>Uso: mk38c compile [--defs ARCHIVO] [--hex] [-o SALIDA] [--] FUENTE</source>
        <translation>Usage: mk38c compile [--defs FILE] [--hex] [-o OUT] [--] SOURCE</translation>
    </message>
    <message>
        <source>falta FUENTE</source>
        <translation>no SOURCE given</translation>
    </message>
    <message>
        <source>más de una FUENTE</source>
        <translation>more than one SOURCE</translation>
    </message>
    <message>
        <source>Bytes compilados:  %1</source>
        <translation>Compiled bytes:  %1</translation>
    </message>
    <message>
        <source>Uso: mk38c decompile [--] ARCHIVO</source>
        <translation>Usage: mk38c decompile [--] FILE</translation>
    </message>
    <message>
        <source>necesita un ARCHIVO</source>
        <translation>needs one FILE</translation>
    </message>
    <message>
        <source>no se pudo escribir la trama %1: %2</source>
        <translation>the %1 frame could not be written: %2</translation>
    </message>
    <message>
        <source>no se pudo escribir la trama %1 (¿se desconectó el dispositivo?)</source>
        <translation>the %1 frame could not be written (the device went away?)</translation>
    </message>
    <message>
        <source>sobra &quot;%1&quot;</source>
        <translation>unexpected &quot;%1&quot;</translation>
    </message>
    <message>
        <source>falta ARCHIVO</source>
        <translation>no FILE given</translation>
    </message>
    <message>
        <source>más de un ARCHIVO</source>
        <translation>more than one FILE</translation>
    </message>
    <message>
        <source>falta --port</source>
        <translation>--port is required</translation>
    </message>
    <message>
        <source>Uso: %1</source>
        <translation>Usage: %1</translation>
    </message>
    <message>
        <source>--fast lee cada respuesta en cuanto está completa, en lugar de esperar el tiempo fijo.
</source>
        <translation>--fast reads each answer as soon as it is complete instead of waiting the fixed time.
</translation>
    </message>
    <message>
        <source>mk38c send ARCHIVO --port PUERTO [--id N] [--run] [--mode 0|1|2] [--fast]</source>
        <translation>mk38c send FILE --port PORT [--id N] [--run] [--mode 0|1|2] [--fast]</translation>
    </message>
    <message>
        <source>mk38c run --port PUERTO [--mode 0|1|2] [--fast]</source>
        <translation>mk38c run --port PORT [--mode 0|1|2] [--fast]</translation>
    </message>
    <message>
        <source>mk38c stop --port PUERTO [--outputs-off] [--fast]</source>
        <translation>mk38c stop --port PORT [--outputs-off] [--fast]</translation>
    </message>
    <message>
        <source>mk38c receive --port PUERTO [--id N | --all] [--password HEX] [-o SALIDA.obj] [--dump] [--ignore-checksum] [--fast]</source>
        <translation>mk38c receive --port PORT [--id N | --all] [--password HEX] [-o OUT.obj] [--dump] [--ignore-checksum] [--fast]</translation>
    </message>
    <message>
        <source>mk38c verify ARCHIVO --port PUERTO [--id N] [--password HEX] [--fast]</source>
        <translation>mk38c verify FILE --port PORT [--id N] [--password HEX] [--fast]</translation>
    </message>
    <message>
        <source>mk38c presets --port PUERTO [--id N] [--write V0,...,V9 | --factory] [--fast]</source>
        <translation>mk38c presets --port PORT [--id N] [--write V0,...,V9 | --factory] [--fast]</translation>
    </message>
    <message>
        <source>mk38c monitor --port PUERTO [--id N] [--from V] [--count N] [--csv] [--fast]</source>
        <translation>mk38c monitor --port PORT [--id N] [--from V] [--count N] [--csv] [--fast]</translation>
    </message>
    <message>
        <source>Con --count N termina con 0 si se respondió cada consulta, con 4 si una no.
--csv imprime una fila por consulta (hora, tipo, ok, in0..in7, out0..out5, las
cuatro variables) para una hoja de cálculo; Ctrl+C termina tras una fila completa.
</source>
        <translation>With --count N it exits 0 when every poll was answered, 4 when one was not.
--csv prints one row a poll (time, kind, ok, in0..in7, out0..out5, the four
variables) for a spreadsheet; Ctrl+C ends it after a whole row.
</translation>
    </message>
    <message>
        <source>mk38c scan --port PUERTO [--from N] [--to M] [--fast]</source>
        <translation>mk38c scan --port PORT [--from N] [--to M] [--fast]</translation>
    </message>
    <message>
        <source>Envía la consulta de la recepción a las estaciones N..M (por omisión 1..255; nunca a
la 0, a la que responde todo PLC) y lista cada una que responde bien con la suma de
control de su programa guardado; una respuesta que no cuadra se lista como
&quot;respuesta dañada&quot;. Termina con 0 si respondió una estación, con 4 si ninguna.
Cada estación callada cuesta la espera de respuesta de 500 ms, así que 1..255 lleva
unos dos minutos; con --fast una estación que responde cuesta solo su tiempo de
respuesta. Ctrl+C detiene tras la estación en curso.
</source>
        <translation>Sends the upload&apos;s probe to stations N..M (default 1..255; never 0, which every PLC answers)
and lists each that answers soundly with the checksum of its stored program; an answer that
does not check is listed as &quot;respuesta dañada&quot;. Exits 0 when a station answered, 4 when none did.
Each silent station costs the 500 ms answer wait, so 1..255 takes about two minutes;
with --fast a station that answers costs only its answer time. Ctrl+C stops after the
station in progress.
</translation>
    </message>
    <message>
        <source>consulta</source>
        <translation>probe</translation>
    </message>
    <message>
        <source>leyendo el programa</source>
        <translation>reading the program</translation>
    </message>
    <message>
        <source>No hay comunicación con el PLC (%1 bytes respondieron a la consulta)</source>
        <translation>No communication with the PLC (%1 bytes answered the probe)</translation>
    </message>
    <message>
        <source>No hay respuesta desde el PLC (¿identificador o contraseña?)</source>
        <translation>No answer from the PLC (identifier or password?)</translation>
    </message>
    <message>
        <source>suma de control %1 de los %2 bytes recibidos, el PLC guarda %3</source>
        <translation>checksum %1 of the %2 bytes received, the PLC keeps %3</translation>
    </message>
    <message>
        <source>--id admite 1..255</source>
        <translation>--id takes 1..255</translation>
    </message>
    <message>
        <source>--mode admite 0, 1 o 2</source>
        <translation>--mode takes 0, 1 or 2</translation>
    </message>
    <message>
        <source>cabecera</source>
        <translation>header</translation>
    </message>
    <message>
        <source>enviando %1 bytes</source>
        <translation>sending %1 bytes</translation>
    </message>
    <message>
        <source>esperando la respuesta</source>
        <translation>waiting for the answer</translation>
    </message>
    <message>
        <source>No hay respuesta del PLC (llegaron %1 bytes, se esperaban %2)</source>
        <translation>No answer from the PLC (%1 bytes came back, %2 expected)</translation>
    </message>
    <message>
        <source>El PLC recibió mal (resultado %1, se esperaba %2)</source>
        <translation>The PLC received wrongly (result %1, %2 expected)</translation>
    </message>
    <message>
        <source>recibido por el PLC, fecha %1</source>
        <translation>received by the PLC, dated %1</translation>
    </message>
    <message>
        <source>en marcha (modo %1)</source>
        <translation>run (mode %1)</translation>
    </message>
    <message>
        <source>--id admite 1..255, y no junto con --all</source>
        <translation>--id takes 1..255, and not with --all</translation>
    </message>
    <message>
        <source>fecha %1</source>
        <translation>dated %1</translation>
    </message>
    <message>
        <source>fecha 0x%1 (no válida)</source>
        <translation>dated 0x%1 (not a valid date)</translation>
    </message>
    <message>
        <source>igual</source>
        <translation>equal</translation>
    </message>
    <message>
        <source>mk38c verify: difieren %1 bytes, el primero en la dirección %2</source>
        <translation>mk38c verify: %1 bytes differ, the first at address %2</translation>
    </message>
    <message>
        <source>archivo: %1</source>
        <translation>file:    %1</translation>
    </message>
    <message>
        <source>PLC:     %1</source>
        <translation>PLC:     %1</translation>
    </message>
    <message>
        <source>byte %1: archivo %2, PLC %3</source>
        <translation>byte %1: file %2, PLC %3</translation>
    </message>
    <message>
        <source>--write y --factory se excluyen</source>
        <translation>--write and --factory exclude each other</translation>
    </message>
    <message>
        <source>--write lleva diez valores</source>
        <translation>--write takes ten values</translation>
    </message>
    <message>
        <source>&quot;%1&quot; no es un número entero 0..65535</source>
        <translation>&quot;%1&quot; is not a whole number 0..65535</translation>
    </message>
    <message>
        <source>escribiendo %1</source>
        <translation>writing %1</translation>
    </message>
    <message>
        <source>leyendo %1</source>
        <translation>reading %1</translation>
    </message>
    <message>
        <source>No hay respuesta del PLC</source>
        <translation>No answer from the PLC</translation>
    </message>
    <message>
        <source>algunos preseteos quedaron sin leer</source>
        <translation>some presets stayed unread</translation>
    </message>
    <message>
        <source>--id admite 1..255, --from 0..252, --count un número positivo</source>
        <translation>--id takes 1..255, --from 0..252, --count a positive number</translation>
    </message>
    <message>
        <source>el dispositivo se fue; se abre de nuevo en cada consulta, cada %1 ms, hasta que vuelva (Ctrl+C termina)</source>
        <translation>the device went away; it is opened again at every poll, each %1 ms, until it is back (Ctrl+C ends)</translation>
    </message>
    <message>
        <source>el dispositivo volvió</source>
        <translation>the device is back</translation>
    </message>
    <message>
        <source>--from y --to admiten 1..255</source>
        <translation>--from and --to take 1..255</translation>
    </message>
    <message>
        <source>--from %1 es mayor que --to %2</source>
        <translation>--from %1 is above --to %2</translation>
    </message>
    <message>
        <source>%1 (%2 de %3)</source>
        <translation>%1 (%2 of %3)</translation>
    </message>
    <message>
        <source>detenido</source>
        <translation>stopped</translation>
    </message>
    <message>
        <source>ninguna estación respondió entre %1 y %2</source>
        <translation>no station answered between %1 and %2</translation>
    </message>
    <message>
        <source>Uso: mk38c ports</source>
        <translation>Usage: mk38c ports</translation>
    </message>
    <message>
        <source>Lista los puertos serie presentes, uno por línea: dispositivo, nombre estable bajo
/dev/serial/by-id, descripción, fabricante, número de serie (separados por
tabuladores, &quot;-&quot; si está vacío); luego COM1..COM6, el dispositivo de cada uno y de
dónde sale (&quot;default&quot; o el archivo de configuración). Cualquier dispositivo o
nombre listado sirve como --port.
</source>
        <translation>Lists the serial ports present, one a line: device, stable name under
/dev/serial/by-id, description, maker, serial number (tab-separated, &quot;-&quot; when
empty); then COM1..COM6, the device each maps to and where that comes from
(&quot;default&quot; or the settings file). Any device or name listed works as --port.
</translation>
    </message>
    <message>
        <source>Error en linea
%1
%2</source>
        <translation>Error in line
%1
%2</translation>
    </message>
    <message>
        <source> Error: salto a %1 No hallado.</source>
        <translation>Error: jump to %1 not found.</translation>
    </message>
    <message>
        <source>hecho</source>
        <translation>done</translation>
    </message>
    <message>
        <source>el programa fuente no compila, o ARCHIVO no contiene un programa</source>
        <translation>the source does not compile, or FILE holds no program</translation>
    </message>
    <message>
        <source>uso incorrecto, un archivo que no se puede leer o escribir, un puerto que no se puede abrir</source>
        <translation>usage, a file that cannot be read or written, a port that cannot be opened</translation>
    </message>
    <message>
        <source>el PLC recibió mal el programa</source>
        <translation>the PLC received the program wrongly</translation>
    </message>
    <message>
        <source>sin respuesta, o una respuesta de longitud equivocada</source>
        <translation>no answer, or an answer of the wrong length</translation>
    </message>
    <message>
        <source>el programa leído no coincide con la suma de control del PLC</source>
        <translation>the program read back does not match the PLC&apos;s checksum</translation>
    </message>
    <message>
        <source>verify encontró diferencias</source>
        <translation>verify found differences</translation>
    </message>
    <message>
        <source>Uso:</source>
        <translation>Usage:</translation>
    </message>
    <message>
        <source>PUERTO es la ruta de un dispositivo o COM1..COM6 (sección &quot;Puertos&quot; del dmk38.ini
del editor; si no, /dev/ttyS0../dev/ttyS5). mk38c ORDEN --help explica más de una
orden.
Estado de salida:
</source>
        <translation>PORT is a device path or COM1..COM6 (section &quot;Puertos&quot; of the editor&apos;s
dmk38.ini, else /dev/ttyS0../dev/ttyS5). mk38c COMMAND --help tells more about
a command.
Exit status:
</translation>
    </message>
    <message>
        <source>mk38c: orden desconocida &quot;%1&quot;</source>
        <translation>mk38c: unknown command &quot;%1&quot;</translation>
    </message>
</context>
<context>
    <name>plclink</name>
    <message>
        <source>Sin permiso para abrir %1: su usuario debe pertenecer al grupo %2 (sudo usermod -aG %2 $USER) y volver a iniciar la sesión.</source>
        <translation>No permission to open %1: your user must belong to the group %2 (sudo usermod -aG %2 $USER) and log in again.</translation>
    </message>
    <message>
        <source>Sin permiso para abrir %1: el dispositivo no admite a este usuario. El administrador del equipo puede darle acceso (por ejemplo, con una regla de udev para el dispositivo).</source>
        <translation>No permission to open %1: the device does not admit this user. The administrator of the computer can give access (for example, with a udev rule for the device).</translation>
    </message>
    <message>
        <source>es una carpeta, no un puerto serie</source>
        <translation>it is a folder, not a serial port</translation>
    </message>
    <message>
        <source>es un archivo común, no un puerto serie</source>
        <translation>it is an ordinary file, not a serial port</translation>
    </message>
    <message>
        <source>no es un puerto serie</source>
        <translation>it is not a serial port</translation>
    </message>
    <message>
        <source>el dispositivo no es un puerto serie o no acepta la configuración de la línea</source>
        <translation>the device is not a serial port or does not accept the line settings</translation>
    </message>
    <message>
        <source>error de entrada/salida; compruebe que el adaptador o la placa del puerto estén bien conectados</source>
        <translation>input/output error; check that the adapter or the port card is properly connected</translation>
    </message>
    <message>
        <source>el dispositivo ya no está conectado (¿se desenchufó el adaptador?)</source>
        <translation>the device is no longer connected (was the adapter unplugged?)</translation>
    </message>
    <message>
        <source>error del sistema número %1</source>
        <translation>system error number %1</translation>
    </message>
    <message>
        <source>motivo desconocido</source>
        <translation>unknown reason</translation>
    </message>
    <message>
        <source>%1 está ocupado: otro programa lo tiene abierto.</source>
        <translation>%1 is busy: another program has it open.</translation>
    </message>
    <message>
        <source>%1 no existe y no se encontró ningún puerto serie en este equipo.</source>
        <translation>%1 does not exist and no serial port was found on this computer.</translation>
    </message>
    <message>
        <source>%1 no existe. Puertos serie presentes: %2.</source>
        <translation>%1 does not exist. Serial ports present: %2.</translation>
    </message>
    <message>
        <source>%1 no se puede abrir como puerto serie: %2.</source>
        <translation>%1 cannot be opened as a serial port: %2.</translation>
    </message>
    <message>
        <source>Error de comunicacion %1</source>
        <translation>Communication error %1</translation>
    </message>
    <message>
        <source>el nombre contiene un carácter de control (%1); corríjalo en Opciones → Puertos serie... o en la sección [Puertos] del archivo de configuración</source>
        <translation>the name contains a control character (%1); correct it in Options → Serial ports... or in the [Puertos] section of the settings file</translation>
    </message>
    <message>
        <source>%1 baudios no es una velocidad de la línea.</source>
        <translation>%1 baud is not a line speed.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; no se puede abrir como puerto serie: %2.</source>
        <translation>&quot;%1&quot; cannot be opened as a serial port: %2.</translation>
    </message>
</context>
</TS>
