<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="es">
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
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Ayuda de WMK38</source>
        <translation>WMK38 Help</translation>
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
</source>
        <translation>Usage: wmk38 [/debugmode] [FILE]
  FILE .prg         opened as with &quot;Load&quot;
  FILE .obj, .bld   translated as with &quot;Decompile&quot;
  /debugmode        diagnostic mode
  --help, --version
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
</context>
</TS>
