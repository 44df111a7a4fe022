# Ansible custom fact for Windows hosts: this machine's monitors, as
# ansible_local.moniquet. Copy it into the folder given as the setup
# module's fact_path (for example C:\ansible\facts.d).

# Where Moniquet's zip was unpacked; moniquet-cli.exe on the PATH otherwise.
$MoniquetCli = 'C:\Program Files\Moniquet\moniquet-cli.exe'
if (-not (Test-Path -LiteralPath $MoniquetCli)) {
    $MoniquetCli = (Get-Command moniquet-cli.exe -ErrorAction Stop).Source
}

# Through a file read as UTF-8: PowerShell would decode the program's output
# in the console's code page, and a remote session has no console to set.
$file = [System.IO.Path]::GetTempFileName()
try {
    & $MoniquetCli list --json --facts --output $file
    if ($LASTEXITCODE -ne 0) {
        throw "moniquet-cli list failed with status $LASTEXITCODE"
    }
    # An object, which the setup module turns into JSON again.
    Get-Content -LiteralPath $file -Raw -Encoding UTF8 | ConvertFrom-Json
} finally {
    Remove-Item -LiteralPath $file -ErrorAction SilentlyContinue
}
