# bash completion for vornctl. The words come from vornctl itself (vornctl complete KIND), so the
# commands, options, models, regions and field names are always those of the installed program.

_vornctl()
{
    local cur prev words cword
    _init_completion || return

    local vornctl=${words[0]}
    # The command: the first word that is neither an option nor the value of a global option.
    local i command=""
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
            --lang | --region | --port) ((i++)) ;;
            -*) ;;
            *) command=${words[i]}; break ;;
        esac
    done

    case $prev in
        --lang)
            COMPREPLY=($(compgen -f -X '!*.lang' -- "$cur"))
            compopt -o filenames
            return
            ;;
        --region)
            COMPREPLY=($(compgen -W "$("$vornctl" complete regions 2>/dev/null)" -- "$cur"))
            return
            ;;
        --port)
            COMPREPLY=($(compgen -f -- "${cur:-/dev/}"))
            return
            ;;
        --model)
            COMPREPLY=($(compgen -W "$("$vornctl" complete models 2>/dev/null)" -- "$cur"))
            return
            ;;
        --change-id)
            COMPREPLY=($(compgen -W "yes no" -- "$cur"))
            return
            ;;
        -o | --output)
            _filedir
            return
            ;;
        --serial | --serials | --band | --event)
            return
            ;;
    esac

    if [[ -z $command ]]; then
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W "$("$vornctl" complete options 2>/dev/null)" -- "$cur"))
        else
            COMPREPLY=($(compgen -W "$("$vornctl" complete commands 2>/dev/null)" -- "$cur"))
        fi
        return
    fi

    if [[ $cur == -* ]]; then
        # The command's own options and the global ones, which may follow the command too.
        COMPREPLY=($(compgen -W "$({
            "$vornctl" complete options "$command"
            "$vornctl" complete options
        } 2>/dev/null | sort -u)" -- "$cur"))
        return
    fi

    case $command in
        new)
            COMPREPLY=($(compgen -W "$("$vornctl" complete models 2>/dev/null)" -- "$cur"))
            ;;
        region)
            COMPREPLY=($(compgen -W "$("$vornctl" complete regions 2>/dev/null)" -- "$cur"))
            ;;
        set)
            # The file first, then NAME=VALUE assignments.
            local files=0
            for ((i = i + 1; i < cword; i++)); do
                [[ ${words[i]} != -* && ${words[i]} != *=* ]] && ((files++))
            done
            if ((files == 0)); then
                _filedir vorn
            else
                COMPREPLY=($(compgen -S = -W "$("$vornctl" complete fields 2>/dev/null)" -- "$cur"))
                compopt -o nospace
            fi
            ;;
        show | diff | sheet | write)
            _filedir vorn
            ;;
    esac
} &&
    complete -F _vornctl vornctl
